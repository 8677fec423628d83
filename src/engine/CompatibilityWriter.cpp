#include "engine/CompatibilityWriter.h"

#include "engine/BackgroundSubtraction.h"
#include "engine/PointTable.h"
#include "engine/TDataType.h"

#include <algorithm>

namespace gw {

namespace {

constexpr int OslType = 2;

int LastSlot(const TDataType& operation) {
    const int last = operation.Kind == OperationKind::TL ? operation.Points - 1 : operation.Points;
    return std::min(BinaryRecord::LastSlotIndex, last);
}

int StoredPoints(const TDataType& operation) {
    return operation.Kind == OperationKind::TL ? operation.Points : operation.Points + 1;
}

StepRecord MarksOf(const TDataType& operation) {
    StepRecord marks;
    marks.notBackground = operation.isBackground() ? 0 : 1;
    marks.normalisation = operation.isNormalization() ? 1 : 0;
    return marks;
}

} // namespace

CompatibilityWriter::CompatibilityWriter(CompatibilitySettings settings)
    : settings_(std::move(settings)), header_(settings_.profile) {
    for (const CompatibilityChannelFiles& files : settings_.channels) {
        channels_.push_back(
            {FixedRecordFile(files.data, BinaryRecord::Size, settings_.sync),
             FixedRecordFile(files.subtraction, SubtractionRecordSize, settings_.sync),
             {}});
    }
}

FileError CompatibilityWriter::Open() {
    for (Channel& channel : channels_) {
        if (FileError error = channel.data.Open()) {
            return error;
        }
        if (FileError error = channel.subtraction.Open()) {
            return error;
        }
    }
    header_.Start(Today());
    return {};
}

CompatibilityBookkeeping CompatibilityWriter::Bookkeeping() const {
    CompatibilityBookkeeping kept;
    kept.recordCount = recordCount_;
    kept.measurementCount = measurementCount_;
    for (const Channel& channel : channels_) {
        std::vector<TWhichBgd>& table = kept.tables.emplace_back();
        for (int r = 0; r <= recordCount_; ++r) {
            table.push_back(channel.table.At(r));
        }
    }
    const auto& bytes = header_.Record().bytes();
    kept.header.assign(bytes.begin(), bytes.begin() + BinaryRecord::HeaderSize);
    return kept;
}

FileError CompatibilityWriter::Resume(const CompatibilityBookkeeping& kept) {
    if (kept.tables.size() != channels_.size() || kept.header.size() != BinaryRecord::HeaderSize ||
        kept.recordCount < -1 || kept.measurementCount < -1 ||
        kept.measurementCount > kept.recordCount) {
        return {"The journal's bookkeeping of the binary files does not fit this run."};
    }
    for (const std::vector<TWhichBgd>& table : kept.tables) {
        if (table.size() != std::size_t(kept.recordCount + 1)) {
            return {"The journal's bookkeeping of the binary files does not fit this run."};
        }
    }
    for (std::size_t c = 0; c < channels_.size(); ++c) {
        Channel& channel = channels_[c];
        if (FileError error = channel.data.Reopen(kept.recordCount + 1)) {
            return error;
        }
        if (FileError error = channel.subtraction.Reopen(kept.measurementCount + 1)) {
            return error;
        }
        channel.table = BackgroundTable();
        for (std::size_t r = 0; r < kept.tables[c].size(); ++r) {
            channel.table.Entry(int(r)) = kept.tables[c][r];
        }
    }
    recordCount_ = kept.recordCount;
    measurementCount_ = kept.measurementCount;
    BinaryRecord header;
    for (std::size_t i = 0; i < BinaryRecord::HeaderSize; ++i) {
        header.SetByte(i, kept.header[i]);
    }
    header_.Restore(header);
    return {};
}

bool CompatibilityWriter::WritesRecord(const TDataType& operation) {
    return (operation.Kind == OperationKind::TL || IsOslKind(operation.Kind)) &&
           !operation.isTreatment();
}

FileError CompatibilityWriter::AddStep(const CompatibilityStep& step) {
    header_.ApplyStep(step.operation, Today());
    if (!WritesRecord(step.operation)) {
        return {};
    }
    const BinaryRecord record = MeasurementRecord(step);
    for (int c = 0; c < int(channels_.size()); ++c) {
        if (FileError error = WriteChannel(c, record, step)) {
            return error;
        }
    }
    header_.Start(Today());
    return {};
}

BinaryRecord CompatibilityWriter::MeasurementRecord(const CompatibilityStep& step) {
    const TDataType& operation = step.operation;
    BinaryRecord record = header_.Record();
    // Grain records carry the disk alone, like disk records; the hole is in the text record.
    record.SetInt16(BinaryRecord::DiskField, std::int16_t(operation.Disk));
    ++recordCount_;
    record.SetInt16(BinaryRecord::RecordNumber, std::int16_t(recordCount_));
    record.SetInt16(BinaryRecord::LastSlot, std::int16_t(LastSlot(operation)));
    if (StoredPoints(operation) > BinaryRecord::Slots) {
        Log(": Binary record " + std::to_string(recordCount_) +
            ": data has been truncated to the first 100 points");
    }

    // Without a step record the record is written all the same, marked from the operation's own
    // purpose; a builder that has nothing to add leaves these marks.
    StepRecord stepRecord = MarksOf(operation);
    if (!step.stepRecord || !step.stepRecord(stepRecord)) {
        stepRecord = MarksOf(operation);
        Log(": Binary record " + std::to_string(recordCount_) + ": no step record for disk " +
            std::to_string(step.diskNumber));
    }
    record.SetByte(BinaryRecord::ExposedBefore, stepRecord.exposedBefore);
    record.SetByte(BinaryRecord::Normalisation, stepRecord.normalisation);
    record.SetByte(BinaryRecord::NotBackground, stepRecord.notBackground);
    record.SetByte(BinaryRecord::SingleAliquot, settings_.singleAliquot ? 1 : 0);
    record.SetByte(BinaryRecord::Natural, stepRecord.natural);
    record.SetDouble(BinaryRecord::Exposure, stepRecord.exposure);
    record.SetText(BinaryRecord::Remark, BinaryRecord::RemarkCapacity, operation.Remark);
    if (stepRecord.notBackground == 1) {
        ++measurementCount_;
    }
    return record;
}

void CompatibilityWriter::FillCurve(BinaryRecord& record, const CompatibilityStep& step,
                                    int channel) const {
    const TDataType& operation = step.operation;
    // Under the compatibility switch an OSL's points start at index 1, a TL's at 0.
    const int first = operation.Kind == OperationKind::TL ? 0 : 1;
    const int last = LastSlot(operation);
    for (int k = 0; k < BinaryRecord::Slots; ++k) {
        const bool measured = k >= first && k <= last && PointTable::Contains(k);
        record.SetSlot(k, measured ? step.points[k].Values[std::size_t(channel)] : 0.0);
    }
}

FileError CompatibilityWriter::WriteChannel(int c, BinaryRecord record,
                                            const CompatibilityStep& step) {
    Channel& channel = channels_[std::size_t(c)];
    FillCurve(record, step, c);
    const int r = recordCount_;
    if (FileError error = channel.data.Write(r, record.bytes())) {
        return error;
    }
    TWhichBgd& entry = channel.table.Entry(r);
    entry.platter = step.platter;
    entry.number = step.diskNumber;
    const bool measurement = record.Byte(BinaryRecord::NotBackground) == 1;
    entry.measurement = measurement;
    entry.processed = 0;
    if (!measurement) {
        entry.subtractionIndex = -(measurementCount_ + 1);
        entry.flag = 1;
        return SubtractBackgrounds(c, r, record.CurveCodeOf(), step);
    }
    entry.subtractionIndex = measurementCount_;
    entry.flag = 0;
    if (FileError error =
            channel.subtraction.Write(measurementCount_, SubtractionBytes(SubtractionCurve{}))) {
        return error;
    }
    if (CurveType(record.CurveCodeOf()) > 0) {
        return Subtract(c, r, r);
    }
    return {};
}

FileError CompatibilityWriter::SubtractBackgrounds(int c, int r, int curveCode,
                                                   const CompatibilityStep& step) {
    BackgroundTable& table = channels_[std::size_t(c)].table;
    for (int i = 0; i <= r; ++i) {
        const TWhichBgd& entry = table.Entry(i);
        if (!entry.measurement) {
            continue; // a background is never corrected itself
        }
        const bool again = entry.processed == 1 && CurveType(curveCode) == OslType &&
                           entry.flag == 1 && entry.platter == step.platter &&
                           entry.number == step.diskNumber;
        if (entry.processed == 0 || again) {
            if (FileError error = Subtract(c, i, r)) {
                return error;
            }
        }
    }
    return {};
}

FileError CompatibilityWriter::Subtract(int c, int q, int r) {
    Channel& channel = channels_[std::size_t(c)];
    BinaryRecord measurement;
    BinaryRecord reference;
    std::array<std::uint8_t, SubtractionRecordSize> bytes{};
    TWhichBgd& entry = channel.table.Entry(q);
    if (FileError error = channel.data.Read(q, measurement.bytes())) {
        return error;
    }
    if (FileError error = channel.data.Read(r, reference.bytes())) {
        return error;
    }
    if (FileError error = channel.subtraction.Read(entry.subtractionIndex, bytes)) {
        return error;
    }
    SubtractionCurve corrected = SubtractionFromBytes(bytes.data());
    const SubtractionOutcome outcome =
        SubtractBackground(measurement, reference, q == r, corrected, settings_.filterNumber);
    if (!outcome.applied) {
        return {};
    }
    if (outcome.flag >= 0) {
        entry.flag = std::uint8_t(outcome.flag);
    }
    entry.processed = 1;
    return channel.subtraction.Write(entry.subtractionIndex, SubtractionBytes(corrected));
}

CivilDate CompatibilityWriter::Today() const {
    return settings_.today ? settings_.today() : TodayLocal();
}

void CompatibilityWriter::Log(const std::string& text) const {
    if (settings_.log) {
        settings_.log(text);
    }
}

} // namespace gw
