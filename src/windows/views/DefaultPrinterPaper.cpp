#include "windows/views/DefaultPrinterPaper.h"

#include "platform/Windows1252.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace gw {

std::optional<WorksheetPaper> DefaultPrinterPaper(std::string& problem) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        problem = "There is no default printer currently selected.";
        return std::nullopt;
    }
    const QPageSize size = info.defaultPageSize();
    if (!size.isValid()) {
        problem = "Device information is unavailable for the default printer:\r\n" +
                  ToWindows1252(info.printerName());
        return std::nullopt;
    }
    const QPrinter printer(info);
    const QSizeF millimetres = size.size(QPageSize::Millimeter);
    return WorksheetPaper::FromMillimetres(millimetres.width(), millimetres.height(),
                                           printer.pageLayout().orientation() ==
                                               QPageLayout::Landscape);
}

} // namespace gw
