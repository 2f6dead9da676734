#include "engine/run.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "engine/ahead_copy.h"
#include "engine/byte_source.h"
#include "engine/field_cut.h"
#include "engine/output_file.h"
#include "engine/output_layout.h"
#include "engine/placeholder.h"
#include "engine/record_reader.h"
#include "engine/record_writer.h"

namespace rivex {
namespace {

// Events are pumped between records, throttled so that the loop runs at memory speed: the
// clock is looked at every kCheckRecords records or kCheckBytes bytes, and events are
// pumped when kPumpInterval has passed since the last time.
constexpr std::int64_t kCheckRecords = 4096;
constexpr std::uint64_t kCheckBytes = 1 << 20;
constexpr auto kPumpInterval = std::chrono::milliseconds(50);

class EventPump {
  public:
    EventPump(Host& host, std::optional<std::uint64_t> sourceSize)
        : host_(host), sourceSize_(sourceSize) {}

    // After `records` records and `bytes` bytes of the source: true when events were pumped,
    // so the live controls may have changed.
    bool Tick(std::int64_t records, std::uint64_t bytes) {
        if (records < nextRecords_ && bytes < nextBytes_) return false;
        nextRecords_ = records + kCheckRecords;
        nextBytes_ = bytes + kCheckBytes;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastPump_ < kPumpInterval) return false;
        lastPump_ = now;
        host_.PumpEvents({bytes, sourceSize_, records});
        return true;
    }

  private:
    Host& host_;
    std::optional<std::uint64_t> sourceSize_;
    std::int64_t nextRecords_ = kCheckRecords;
    std::uint64_t nextBytes_ = kCheckBytes;
    std::chrono::steady_clock::time_point lastPump_ = std::chrono::steady_clock::now();
};

// Releases the pass's progress window however the pass ends.
class ProgressWindow {
  public:
    ProgressWindow(Host& host, const std::string* placeholderText) : host_(host) {
        host_.ShowProgress(placeholderText);
    }
    ~ProgressWindow() { host_.ReleaseProgress(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

  private:
    Host& host_;
};

// One pass: one source file into one output file.
class Pass {
  public:
    Pass(EngineState& state, Host& host) : state_(state), c_(state.conditions), host_(host) {}

    void Execute() {
        OpenSource();
        OpenOutput();
        {
            ProgressWindow progress(
                host_, c_.SourceHasPlaceholder ? &state_.placeholder.PlaceholderText : nullptr);
            reader_.emplace(*source_);
            pump_.emplace(host_, source_->Size());
            if (c_.SelectMode == SelectModes::ByCode) {
                CodeLoop();
            } else {
                if (c_.SelectMode == SelectModes::AllRecords &&
                    c_.FieldMode == FieldModes::WholeRecord) {
                    CopyRuns();
                }
                CountLoop();
            }
        }
        reader_.reset();
        source_.reset();
        host_.AppendRunLog(" 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：" + CountText(state_.run.SourceCount));
        output_->Close();
        output_.reset();
        state_.run.TotalOutputCount += state_.run.OutputCount;
        host_.AppendRunLog(" 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：" + CountText(state_.run.OutputCount));
    }

  private:
    std::string ActualName(const std::string& name, bool hasPlaceholder) const {
        return hasPlaceholder ? ReplacePlaceholder(name, state_.placeholder.PlaceholderText) : name;
    }

    void OpenSource() {
        RunState& run = state_.run;
        run.ActualSourceName = ActualName(c_.SourceFileName, c_.SourceHasPlaceholder);
        source_ = std::make_unique<FileSource>(run.ActualSourceName);
        run.SourceCount = 0;
        host_.AppendRunLog("元ファイル名　：" + run.ActualSourceName);
    }

    void OpenOutput() {
        RunState& run = state_.run;
        run.ActualOutputName = ActualName(c_.OutputFileName, c_.OutputHasPlaceholder);
        CreateFolders(run.ActualOutputName);
        const OutputOpen mode =
            run.ActualOutputName == run.LastOutputName ? OutputOpen::Append : OutputOpen::Create;
        output_ = std::make_unique<RecordWriter>(
            OpenOutputFile(run.ActualOutputName, mode, source_->fd()));
        run.LastOutputName = run.ActualOutputName;
        run.OutputCount = 0;
        host_.AppendRunLog("抽出ファイル名：" + run.ActualOutputName);
    }

    // The step every record loop takes: the next record, counted. Empty at the end of the
    // source, and once the cancel flag is set: the record read then is counted, not written.
    std::optional<std::string_view> NextRecord() {
        if (reader_->AtEnd()) return std::nullopt;
        const std::string_view record = reader_->Next();
        const std::int64_t count = ++state_.run.SourceCount;
        if (state_.CancelFlag) return std::nullopt;
        if (pump_->Tick(count, reader_->BytesConsumed())) ReadLiveControls();
        return record;
    }

    // The two controls can change only while events are pumped.
    void ReadLiveControls() {
        exclusion_ = host_.ExclusionChecked();
        grouped_ = host_.GroupedOrder();
    }

    // All records written whole, the first phase: a source's output is its own bytes as long
    // as each record ends in CR LF, so such records are counted and copied in runs. A regular
    // file is copied by the kernel ahead of the loop, which keeps the copy up to the first
    // record that ends otherwise (or a cancel); the count loop goes on from there.
    void CopyRuns() {
        std::int64_t& count = state_.run.SourceCount;
        std::optional<AheadCopy> ahead;
        if (const auto size = source_->Size(); size && AheadCopy::Suits(output_->fd())) {
            ahead.emplace(source_->fd(), *size, output_->fd());
        }
        while (!state_.CancelFlag && !reader_->AtEnd()) {
            const RecordReader::Run run = reader_->NextRun(kCheckRecords);
            if (run.records == 0) break;
            count += run.records;
            state_.run.OutputCount += run.records;
            if (ahead) {
                ahead->Keep(run.bytes.size());
            } else {
                output_->AppendRun(run.bytes);
            }
            pump_->Tick(count, reader_->BytesConsumed());
        }
        if (ahead) ahead->Finish();
    }

    // Reading stops once the record number passes the end of every range.
    void CountLoop() {
        const std::int64_t stopAfter =
            std::ranges::max(c_.CountRanges, {}, &CountRange::Last).Last;
        bool stopReading = false;
        std::optional<std::string_view> record;
        while (!stopReading && (record = NextRecord())) {
            const std::int64_t count = state_.run.SourceCount;
            if (stopAfter < count) stopReading = true;
            for (const CountRange& range : c_.CountRanges) {
                if (range.First <= count && count <= range.Last) {
                    WriteRecord(*record);
                    break;
                }
            }
        }
    }

    // With grouped order and no exclusion, reading stops at the first key past the end of
    // every range.
    void CodeLoop() {
        const std::string& stopAfter = std::ranges::max(c_.CodeRecords, {}, &TCodeRcd::ToCode).ToCode;
        ReadLiveControls();
        bool stopReading = false;
        std::optional<std::string_view> record;
        while (!stopReading && (record = NextRecord())) {
            const std::string_view key = ComposeKey(*record);
            if (!exclusion_ && grouped_ && key > stopAfter) stopReading = true;
            bool noMatch = true;
            for (const TCodeRcd& code : c_.CodeRecords) {
                if (code.FromCode <= key && key <= code.ToCode) {
                    noMatch = false;
                    if (!exclusion_) WriteRecord(*record);
                    break;
                }
            }
            if (exclusion_ && noMatch) WriteRecord(*record);
        }
    }

    // The key: the bytes of each key segment joined, shorter for a short record. A key of
    // one segment is a view into the record.
    std::string_view ComposeKey(std::string_view record) {
        if (c_.KeySegments.size() == 1) {
            return CutField(record, c_.KeySegments[0].Left, c_.KeySegments[0].Width);
        }
        recordKey_.clear();
        for (const KeySegment& segment : c_.KeySegments) {
            recordKey_ += CutField(record, segment.Left, segment.Width);
        }
        return recordKey_;
    }

    void WriteRecord(std::string_view record) {
        if (c_.FieldMode == FieldModes::WholeRecord) {
            output_->Append(record);
        } else {
            if (state_.run.OutputCount == 0) {
                ResolveStars(static_cast<std::int64_t>(record.size()));
                layout_.emplace(c_.FieldItems);
            }
            layout_->Write(record, *output_);
        }
        output_->EndRecord();
        ++state_.run.OutputCount;
    }

    // "*" is the last column of the first record written to an output file; the resolved
    // columns stay for the rest of the run.
    void ResolveStars(std::int64_t length) {
        for (FieldItem& item : c_.FieldItems) {
            if (item.Left == -1) item.Left = length;
            if (item.Right == -1) item.Right = length;
            if (item.Width == -1) item.Width = item.Right - item.Left + 1;
        }
    }

    EngineState& state_;
    Conditions& c_;
    Host& host_;
    std::unique_ptr<FileSource> source_;
    std::unique_ptr<RecordWriter> output_;
    std::optional<RecordReader> reader_;
    std::optional<EventPump> pump_;
    bool exclusion_ = false;
    bool grouped_ = false;
    std::string recordKey_;
    std::optional<OutputLayout> layout_;  // the listed fields, once "*" is resolved
};

void RunPasses(EngineState& state, Host& host) {
    while (true) {
        state.CancelFlag = false;
        state.ElapsedMs = 0;
        host.PumpEvents({0, std::nullopt, 0});
        if (state.conditions.SourceHasPlaceholder) {
            if (!NextPlaceholder(state.placeholder, host)) return;
            host.AppendRunLog(" ---------------------------");
            host.AppendRunLog("＠相当文字：" + state.placeholder.PlaceholderText);
        }
        Pass(state, host).Execute();
        if (state.CancelFlag || !state.conditions.SourceHasPlaceholder) return;
    }
}

}  // namespace

RunSummary Run(EngineState& state, Host& host) {
    host.RunStarted(ClockText(host.Now()));
    RunPasses(state, host);
    return {host.GroupedOrder(), Boxed(CountText(state.run.TotalOutputCount)),
            Boxed(CountText(state.run.SourceCount)), ClockText(host.Now())};
}

}  // namespace rivex
