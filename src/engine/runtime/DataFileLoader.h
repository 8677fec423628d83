#pragma once

#include "engine/DataFileReader.h"
#include "engine/DataFileRecordRow.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class QFileSystemWatcher;
class QTimer;

namespace gw {

// Reads a data file for the viewer on a thread of its own, handing the rows over in batches as
// it goes, so that the table fills while a large file is still being read; then watches the file
// and reads what a run appends. The file is only ever read.
class DataFileLoader : public QObject {
    Q_OBJECT
public:
    static constexpr int PollIntervalMs = 1000;

    explicit DataFileLoader(QObject* parent = nullptr);
    ~DataFileLoader() override;

    // Forgets the file being read (stopping the reading) and starts on this one.
    void open(const QString& path);
    void close();
    QString path() const { return path_; }
    bool reading() const { return static_cast<bool>(thread_); }

    // The record of a row with its points, read again from the file; an empty record when the
    // file no longer holds it.
    DataFileRecord readRecord(const DataFileRecordRow& row) const;

signals:
    // Every row shown so far no longer holds: the file was opened or replaced.
    void cleared();
    // Complete records, in file order after those handed over before.
    void rowsRead(const std::vector<gw::DataFileRecordRow>& rows);
    // The records still open at the end of the file as far as it was read (the last one may be
    // cut off or still being written); they replace the tail handed over before.
    void tailRead(const std::vector<gw::DataFileRecordRow>& rows);
    void progress(qint64 done, qint64 total);
    void failed(const QString& message);
    // Everything the file held has been read.
    void readDone();

private:
    void startReading();
    void readingEnded(int generation);
    void checkForGrowth();
    void stopReading();

    QString path_;
    std::shared_ptr<DataFileReader> reader_;
    std::unique_ptr<std::jthread> thread_;
    std::atomic<bool> stop_{false};
    int generation_ = 0;
    bool readAgain_ = false;
    qint64 lastSize_ = -1;
    qint64 lastModified_ = -1;
    QFileSystemWatcher* watcher_;
    QTimer* poll_;
};

} // namespace gw

Q_DECLARE_METATYPE(std::vector<gw::DataFileRecordRow>)
