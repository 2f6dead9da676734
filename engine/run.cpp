#include "engine/run.h"

#include <algorithm>
#include <memory>
#include <system_error>

#include "engine/ahead_copy.h"
#include "engine/byte_source.h"
#include "engine/event_pump.h"
#include "engine/output_file.h"
#include "engine/output_layout.h"
#include "engine/placeholder.h"
#include "engine/record_reader.h"
#include "engine/record_selection.h"
#include "engine/record_writer.h"

namespace rivex {
namespace {

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
            pump_.emplace(host_, state_, source_->Size());
            source_->SetReadHook([this](bool waiting) { WhileReading(waiting); });
            try {
                StartReading();
                RecordLoops();
            } catch (const ReadCancelled&) {
                // A cancel while a read waited: no record to count.
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
            OpenOutputFile(run.ActualOutputName, mode, source_->fd()), run.ActualOutputName);
        run.LastOutputName = run.ActualOutputName;
        run.OutputCount = 0;
        host_.AppendRunLog("抽出ファイル名：" + run.ActualOutputName);
    }

    // How much of a record the pass needs in memory.
    std::size_t KeepOfRecord() const {
        return NeededBytes(c_, layout_ ? layout_->Reach() : OutputLayout(c_.FieldItems).Reach());
    }

    // The line rule is decided for each source file as it is opened; the output's line end
    // follows it unless one was chosen for every record.
    void StartReading() {
        const bool automatic = c_.LineRules == LineRuleChoice::Auto;
        const LineRule rule =
            DecideLineRule(c_.LineRules, automatic ? source_->Peek(kAutoBytes) : "");
        lineEnd_ = LineEndFor(c_.OutputLineEnds, rule);
        output_->SetLineEnd(lineEnd_);
        reader_.emplace(*source_, rule);
        reader_->SetKeep(KeepOfRecord());
        pump_->ShowLineRule(LineRuleText(rule, automatic));
    }

    // Reads may wait long on a slow source, and a long record takes many: the windows get
    // their turn in between, and a cancel while a read waits ends the pass at once.
    void WhileReading(bool waiting) {
        if (pump_->Poll(reader_ ? reader_->BytesConsumed() : 0)) ReadLiveControls();
        if (waiting && state_.CancelFlag) throw ReadCancelled{};
    }

    void RecordLoops() {
        if (c_.SelectMode == SelectModes::ByCode) ReadLiveControls();
        if (c_.SelectMode == SelectModes::AllRecords && c_.FieldMode == FieldModes::WholeRecord) {
            CopyRuns();
        }
        std::string_view record;
        while (!selection_.Done() && NextRecord(record)) {
            if (selection_.Selected(state_.run.SourceCount, record)) WriteRecord(record);
        }
    }

    // The step every record loop takes: the next record into `record`, counted. False at
    // the end of the source, and once the cancel flag is set: the record read then is
    // counted, not written.
    bool NextRecord(std::string_view& record) {
        if (cancelNoticed_ || reader_->AtEnd()) return false;
        record = reader_->Next();
        ++state_.run.SourceCount;
        if (state_.CancelFlag) {
            cancelNoticed_ = true;
            return false;
        }
        if (pump_->Tick(reader_->BytesConsumed())) ReadLiveControls();
        return true;
    }

    // The two controls can change only while events are pumped.
    void ReadLiveControls() { selection_.Update(host_.ExclusionChecked(), host_.GroupedOrder()); }

    // All records written whole, the first phase: a source's output is its own bytes as long
    // as each record ends in the output's line end, so such records are counted and copied in
    // runs. A regular file is copied by the kernel ahead of the loop, which keeps the copy for
    // every record however long, up to the first record that ends otherwise (its line end is
    // written anew) or a cancel; the count loop goes on from there.
    void CopyRuns() {
        std::int64_t& count = state_.run.SourceCount;
        std::optional<AheadCopy> ahead;
        StartAheadCopy(ahead);
        bool owesLineEnd = false;
        while (!state_.CancelFlag && !reader_->AtEnd()) {
            const RecordReader::Run run = reader_->NextRun(EventPump::kCheckRecords, lineEnd_);
            if (run.records > 0) {
                count += run.records;
                state_.run.OutputCount += run.records;
                if (ahead) {
                    ahead->Keep(run.bytes.size());
                } else {
                    output_->AppendRun(run.bytes);
                }
                pump_->Poll(reader_->BytesConsumed());
                continue;
            }
            if (!ahead) break;
            std::string_view record;
            if (!NextRecord(record)) break;
            KeepAhead(*ahead, record);
            ++state_.run.OutputCount;
            if (!reader_->EndedWith(lineEnd_)) {
                owesLineEnd = true;
                break;
            }
            ahead->Keep(lineEnd_.size());
        }
        if (ahead) ahead->Finish();
        if (owesLineEnd) output_->EndRecord();
    }

    // The bytes of a record, however long, are the copy's own.
    void KeepAhead(AheadCopy& ahead, std::string_view record) {
        ahead.Keep(record.size());
        if (reader_->Partial()) {
            reader_->Rest([&ahead](std::string_view piece) { ahead.Keep(piece.size()); });
        }
    }

    // Where no helper thread can be started, the loop writes the runs itself.
    void StartAheadCopy(std::optional<AheadCopy>& ahead) {
        const auto size = source_->Size();
        if (!size || !AheadCopy::Suits(output_->fd())) return;
        try {
            ahead.emplace(source_->fd(), *size, output_->fd(), state_.run.ActualOutputName);
        } catch (const std::system_error&) {
        }
    }

    void WriteRecord(std::string_view record) {
        if (c_.FieldMode == FieldModes::WholeRecord) {
            WriteWhole(record);
        } else {
            if (!layout_) StartLayout(record);
            layout_->Write(record, *output_);
        }
        output_->EndRecord();
        ++state_.run.OutputCount;
    }

    // A record longer than the reader keeps streams through. Cut short by a cancel while a
    // read waits, it is taken back out of the output again.
    void WriteWhole(std::string_view record) {
        const std::uint64_t before = output_->Taken();
        output_->Append(record);
        if (!reader_->Partial()) return;
        try {
            reader_->Rest([this](std::string_view piece) { output_->AppendRun(piece); });
        } catch (const ReadCancelled&) {
            output_->CutBack(before);
            throw;
        }
    }

    // "*" is the last column of the first record written to an output file; the resolved
    // columns stay for the rest of the run. Once per pass: kept out of the record loop.
    [[gnu::noinline]] void StartLayout(std::string_view record) {
        const auto length =
            static_cast<std::int64_t>(reader_->Partial() ? reader_->Rest(nullptr) : record.size());
        ResolveStar(c_.FieldItems, length);
        layout_.emplace(c_.FieldItems);
        reader_->SetKeep(KeepOfRecord());
    }

    EngineState& state_;
    Conditions& c_;
    Host& host_;
    std::unique_ptr<FileSource> source_;
    std::unique_ptr<RecordWriter> output_;
    std::string_view lineEnd_;  // what follows each written record
    std::optional<RecordReader> reader_;
    std::optional<EventPump> pump_;
    RecordSelection selection_{c_};
    bool cancelNoticed_ = false;          // the record read after the cancel is counted once
    std::optional<OutputLayout> layout_;  // the listed fields, once "*" is resolved
};

void RunPasses(EngineState& state, Host& host) {
    while (true) {
        state.CancelFlag = false;
        state.ElapsedMs = 0;
        host.PumpEvents({0, std::nullopt, 0, {}});
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
