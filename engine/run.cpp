#include "run.h"

#include <chrono>
#include <memory>

#include "ahead_copy.h"
#include "byte_source.h"
#include "field_cut.h"
#include "output_file.h"
#include "output_layout.h"
#include "placeholder.h"
#include "record_reader.h"
#include "record_writer.h"

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
            RecordReader reader(*source_);
            EventPump pump(host_, source_->Size());
            if (c_.SelectMode == SelectModes::ByCode) {
                CodeLoop(reader, pump);
            } else if (c_.SelectMode == SelectModes::AllRecords &&
                       c_.FieldMode == FieldModes::WholeRecord) {
                CopyLoop(reader, pump);
            } else {
                CountLoop(reader, pump);
            }
        }
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

    // All records written whole: a source's output is its own bytes as long as each record
    // ends in CR LF, so such records are counted and copied in runs. A regular file is copied
    // by the kernel ahead of the loop, which keeps the copy up to the first record that ends
    // otherwise (or a cancel) and writes on from there itself.
    void CopyLoop(RecordReader& reader, EventPump& pump) {
        std::int64_t& count = state_.run.SourceCount;
        std::optional<AheadCopy> ahead;
        if (const auto size = source_->Size(); size && AheadCopy::Suits(output_->fd())) {
            ahead.emplace(source_->fd(), *size, output_->fd());
        }
        while (!reader.AtEnd()) {
            if (!state_.CancelFlag) {
                const RecordReader::Run run = reader.NextRun(kCheckRecords);
                if (run.records > 0) {
                    count += run.records;
                    state_.run.OutputCount += run.records;
                    if (ahead) {
                        ahead->Keep(run.bytes.size());
                    } else {
                        output_->AppendRun(run.bytes);
                    }
                    pump.Tick(count, reader.BytesConsumed());
                    continue;
                }
            }
            if (ahead) {
                ahead->Finish();
                ahead.reset();
            }
            const std::string_view record = reader.Next();
            ++count;
            if (state_.CancelFlag) break;
            pump.Tick(count, reader.BytesConsumed());
            WriteRecord(record);
        }
        if (ahead) ahead->Finish();
    }

    // Reading stops once the record number passes the end of the last range typed.
    void CountLoop(RecordReader& reader, EventPump& pump) {
        std::int64_t& count = state_.run.SourceCount;
        const std::int64_t stopAfter = c_.CountRanges.back().Last;
        bool stopReading = false;
        while (!stopReading && !reader.AtEnd()) {
            const std::string_view record = reader.Next();
            ++count;
            if (state_.CancelFlag) break;
            pump.Tick(count, reader.BytesConsumed());
            if (stopAfter < count) stopReading = true;
            for (const CountRange& range : c_.CountRanges) {
                if (range.First <= count && count <= range.Last) {
                    WriteRecord(record);
                    break;
                }
            }
        }
    }

    // With grouped order and no exclusion, reading stops at the first key past the end of
    // the last range typed. The two controls can change only while events are pumped.
    void CodeLoop(RecordReader& reader, EventPump& pump) {
        std::int64_t& count = state_.run.SourceCount;
        const std::string& stopAfter = c_.CodeRecords.back().ToCode;
        bool exclusion = host_.ExclusionChecked();
        bool grouped = host_.GroupedOrder();
        bool stopReading = false;
        while (!stopReading && !reader.AtEnd()) {
            const std::string_view record = reader.Next();
            ++count;
            if (state_.CancelFlag) break;
            if (pump.Tick(count, reader.BytesConsumed())) {
                exclusion = host_.ExclusionChecked();
                grouped = host_.GroupedOrder();
            }
            const std::string_view key = ComposeKey(record);
            if (!exclusion && grouped && key > stopAfter) stopReading = true;
            bool noMatch = true;
            for (const TCodeRcd& code : c_.CodeRecords) {
                if (code.FromCode <= key && key <= code.ToCode) {
                    noMatch = false;
                    if (!exclusion) WriteRecord(record);
                    break;
                }
            }
            if (exclusion && noMatch) WriteRecord(record);
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
    std::string recordKey_;
    std::optional<OutputLayout> layout_;  // the listed fields, once "*" is resolved
};

// A count shown in a main window box: one blank, then the count text.
std::string BoxedCount(std::int64_t count) {
    std::string text(1, ' ');
    text += CountText(count);
    return text;
}

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

void Run(EngineState& state, Host& host) {
    host.RunStarted(ClockText(host.Now()));
    try {
        RunPasses(state, host);
    } catch (...) {
        host.RunFailed();
        throw;
    }
    host.Beep();
    host.RunEnded({host.GroupedOrder(), BoxedCount(state.run.TotalOutputCount),
                   BoxedCount(state.run.SourceCount), ClockText(host.Now())});
    host.ShowMessage("** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。");
}

}  // namespace rivex
