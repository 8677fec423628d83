#include "engine/runtime/DataFileLoader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <filesystem>

namespace gw {

namespace {

std::filesystem::path LocalPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// Collects rows between two hand-overs.
class RowBatch : public DataFileSink {
public:
    void header(DataFileHeader) override {}
    void record(DataFileRecord record) override { rows.push_back(DataFileRowOf(record)); }
    void restarted() override {
        rows.clear();
        restart = true;
    }
    std::vector<DataFileRecordRow> rows;
    bool restart = false;
};

} // namespace

DataFileLoader::DataFileLoader(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), poll_(new QTimer(this)) {
    qRegisterMetaType<std::vector<DataFileRecordRow>>();
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &DataFileLoader::startReading);
    // A replaced file drops out of the watcher, and shares of other machines may not report
    // changes at all: a slow poll catches what the watcher misses.
    poll_->setInterval(PollIntervalMs);
    connect(poll_, &QTimer::timeout, this, &DataFileLoader::checkForGrowth);
}

DataFileLoader::~DataFileLoader() {
    stopReading();
}

void DataFileLoader::open(const QString& path) {
    close();
    path_ = path;
    reader_ = std::make_shared<DataFileReader>(LocalPath(path));
    watcher_->addPath(path);
    poll_->start();
    emit cleared();
    startReading();
}

void DataFileLoader::close() {
    stopReading();
    if (!watcher_->files().isEmpty()) {
        watcher_->removePaths(watcher_->files());
    }
    poll_->stop();
    reader_.reset();
    path_.clear();
    lastSize_ = -1;
    lastModified_ = -1;
}

void DataFileLoader::stopReading() {
    ++generation_; // what the old thread still posts is dropped
    stop_ = true;
    thread_.reset(); // joins; the reading stops within one piece
    stop_ = false;
    readAgain_ = false;
}

DataFileRecord DataFileLoader::readRecord(const DataFileRecordRow& row) const {
    if (!reader_) {
        return {};
    }
    DataFileRecord record;
    record.offset = row.offset;
    record.length = row.length;
    record = ParseDataFileRecord(reader_->recordBytes(record));
    record.index = row.index;
    record.header = row.header;
    record.offset = row.offset;
    return record;
}

void DataFileLoader::checkForGrowth() {
    const QFileInfo info(path_);
    const qint64 size = info.exists() ? info.size() : -1;
    const qint64 modified = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    if (size != lastSize_ || modified != lastModified_) {
        if (info.exists() && !watcher_->files().contains(path_)) {
            watcher_->addPath(path_);
        }
        startReading();
    }
}

void DataFileLoader::startReading() {
    if (!reader_) {
        return;
    }
    if (thread_) {
        readAgain_ = true;
        return;
    }
    const QFileInfo info(path_);
    lastSize_ = info.exists() ? info.size() : -1;
    lastModified_ = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    const int generation = generation_;
    // Posts to this object's thread, dropped once the object is gone or another file is open.
    const auto post = [this, generation](auto call) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, call] {
                if (generation == generation_) {
                    call();
                }
            },
            Qt::QueuedConnection);
    };
    thread_ = std::make_unique<std::jthread>([this, reader = reader_, post, generation] {
        RowBatch batch;
        const auto handOver = [&] {
            post([this, rows = std::move(batch.rows), restart = batch.restart] {
                if (restart) {
                    emit cleared();
                }
                if (!rows.empty()) {
                    emit rowsRead(rows);
                }
            });
            batch.rows.clear();
            batch.restart = false;
        };
        const DataFileReadStatus status =
            reader->readMore(batch, [&](std::uint64_t done, std::uint64_t total) {
                handOver();
                post([this, done, total] {
                    emit progress(static_cast<qint64>(done), static_cast<qint64>(total));
                });
                return !stop_;
            });
        handOver();
        RowBatch tail;
        reader->readTail(tail);
        post([this, status, tail = std::move(tail.rows)] {
            if (!status.ok() && status.state != DataFileReadState::Stopped) {
                emit failed(QString::fromStdString(status.message));
            }
            emit tailRead(tail);
            emit readDone();
        });
        QMetaObject::invokeMethod(
            this, [this, generation] { readingEnded(generation); }, Qt::QueuedConnection);
    });
}

void DataFileLoader::readingEnded(int generation) {
    if (generation != generation_ || !thread_) {
        return;
    }
    thread_.reset();
    if (readAgain_) {
        readAgain_ = false;
        startReading();
    }
}

} // namespace gw
