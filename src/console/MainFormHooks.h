#pragma once

#include <string>

namespace gw {

// The steps of the console's start-up and system-type selection that belong to the windows and
// to subsystems built around the console. The main window implements what it shows; each hook
// does nothing by default, so the console runs without windows (gwtool, tests).
class MainFormHooks {
public:
    virtual ~MainFormHooks() = default;

    // The script editor's reader label, "Reader: " and the reader name.
    virtual void setReaderLabel(const std::string& /*text*/) {}
    // The radio item of the system-type menu.
    virtual void checkSystemTypeItem(int /*systemType*/) {}
    // Only the operator's system-type selection changes the caption.
    virtual void setCaption(const std::string& /*caption*/) {}
    // Status labels, error labels and data fields laid out for the system type, fields cleared.
    virtual void layOutPanels(int /*systemType*/) {}
    // The data, status and error panels from the reader state, after each decoded status reply.
    virtual void RefreshPanels() {}
    // "Correct reader": check mark and enabling; "Enable short-mode": enabling.
    virtual void setCorrectReaderChecked(bool /*checked*/) {}
    virtual void enableCorrectReader(bool /*enabled*/) {}
    virtual void enableShortMode(bool /*enabled*/) {}
    // Reads "Command.info" and empties the help area; the dump is hidden behind it.
    virtual void loadCommandHelp() {}
    // Help topic 0, page 0.
    virtual void showFirstHelpTopic() {}
    virtual void endDumpReplay() {}
    // Taking data, querying, afterglow, lamp stabilizing and irradiating off.
    virtual void resetAcquisition() {}
    virtual void setScannerMenuVisible(bool /*visible*/) {}
    // 100 holes per disk, every hole of the 60 disks selected.
    virtual void selectAllHoles() {}
    virtual void fillWelcomePanel() {}
};

} // namespace gw
