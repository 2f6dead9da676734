#include "engine/run.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>

#include "engine/ahead_copy.h"
#include "engine/byte_source.h"
#include "engine/column_writer.h"
#include "engine/event_pump.h"
#include "engine/output_file.h"
#include "engine/output_layout.h"
#include "engine/placeholder.h"
#include "engine/platform_error.h"
#include "engine/record_reader.h"
#include "engine/record_selection.h"
#include "engine/record_writer.h"
#include "engine/spool.h"
#include "engine/stop_signals.h"
#include "engine/text_format.h"

namespace rivex {
namespace {

// The most of a record the fields keep in memory, and the block its tail is read again in.
constexpr std::size_t kMostHeld = 16 << 20;
constexpr std::size_t kTailBlock = 1 << 20;
// Sources of fewer bytes are copied by the record loop, without the ahead copy's thread.
constexpr std::uint64_t kSmallSource = 1 << 20;
// Reads that finish the record at hand after a cancel: an endless one ends all the same.
constexpr int kReadsAfterCancel = 4;

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

// Where the bytes of a long record past what the reader held can be read again: the source
// itself when it is a regular file, otherwise a spool they were copied into as they passed.
struct RecordTail {
    int fd;
    off_t offset;  // of the record's first byte past the head
};

// The buffers every pass of a run takes over from the one before: a series of small files
// would otherwise pay more for clearing new ones than for its bytes.
struct PassBuffers {
    std::vector<char> reader;
    std::vector<char> writer;
};

// One pass: one source file into one output file.
class Pass {
  public:
    Pass(EngineState& state, Host& host, PassBuffers& buffers)
        : state_(state), c_(state.conditions), host_(host), buffers_(buffers) {}

    void Execute() {
        if (!WrittenAsCut(c_)) columns_.emplace(c_);
        OpenSource();
        try {
            OpenOutput();
        } catch (const ReadCancelled&) {
            // Stopped while the output's open waited: nothing was read.
            source_.reset();
            host_.AppendRunLog({RunLogEntry::Kind::SourceCount, {}, state_.run.SourceCount});
            return;
        }
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
        if (reader_) buffers_.reader = reader_->ReleaseBuffer();
        reader_.reset();
        source_->CheckUnchanged();
        source_.reset();
        host_.AppendRunLog({RunLogEntry::Kind::SourceCount, {}, state_.run.SourceCount});
        output_->Close();
        buffers_.writer = output_->ReleaseBuffer();
        output_.reset();
        state_.run.TotalOutputCount += state_.run.OutputCount;
        host_.AppendRunLog({RunLogEntry::Kind::OutputCount, {}, state_.run.OutputCount});
        LogUnconverted();
    }

  private:
    // Characters that did not convert are told, never left to be found in the output.
    void LogUnconverted() {
        const std::int64_t unconverted = columns_ ? columns_->TakeUnconverted() : 0;
        if (unconverted == 0) return;
        state_.run.TotalUnconverted += unconverted;
        host_.AppendRunLog({RunLogEntry::Kind::Unconverted, {}, unconverted});
    }

    std::string ActualName(const std::string& name, bool hasPlaceholder) const {
        return hasPlaceholder ? ReplacePlaceholder(name, state_.placeholder.PlaceholderText) : name;
    }

    void OpenSource() {
        RunState& run = state_.run;
        run.ActualSourceName = ActualName(c_.SourceFileName, c_.SourceHasPlaceholder);
        source_ = c_.Streams.input ? FileSource::StandardInput(run.ActualSourceName)
                                   : std::make_unique<FileSource>(run.ActualSourceName);
        run.SourceCount = 0;
        host_.AppendRunLog({RunLogEntry::Kind::SourceName, run.ActualSourceName});
    }

    void OpenOutput() {
        RunState& run = state_.run;
        run.ActualOutputName = ActualName(c_.OutputFileName, c_.OutputHasPlaceholder);
        const bool append = run.ActualOutputName == run.LastOutputName;
        int fd = -1;
        if (c_.Streams.output) {
            fd = OpenStandardOutput(source_->fd());
        } else {
            CreateFolders(run.ActualOutputName);
            fd = OpenOutputFile(run.ActualOutputName,
                                append ? OutputOpen::Append : OutputOpen::Create, source_->fd(),
                                [this] { WhileOpening(); });
        }
        outputBegun_ = !append && ::lseek(fd, 0, SEEK_CUR) <= 0;
        output_ = std::make_unique<RecordWriter>(
            fd, run.ActualOutputName, RecordWriter::kDefaultBlockSize, std::move(buffers_.writer));
        run.LastOutputName = run.ActualOutputName;
        run.OutputCount = 0;
        host_.AppendRunLog({RunLogEntry::Kind::OutputName, run.ActualOutputName});
    }

    // An output that waits for a reader (a FIFO) keeps the windows working, and a stop
    // signal ends the wait.
    void WhileOpening() {
        if (StopSignal() != 0) state_.CancelFlag = true;
        host_.PumpEvents({0, std::nullopt, state_.run.SourceCount, {}});
        if (state_.CancelFlag) throw ReadCancelled{};
    }

    // How much of a record the pass holds in memory: the key's reach, and the fields' up to
    // kMostHeld; fields further on are read again from the record's tail.
    std::size_t KeepOfRecord() const { return NeededBytes(c_, FieldReach(), kMostHeld); }

    std::size_t FieldReach() const { return fields_.Reach(); }

    // Whether the fields need bytes of a long record past its head: always while a "*" waits
    // for the record's length.
    bool FieldsPastHead(std::string_view head) const {
        return StarOpen(c_.FieldItems) || FieldReach() > head.size();
    }

    // The line rule is decided for each source file as it is opened; the output's line end
    // follows it unless one was chosen for every record. A UTF-8 byte order mark is no part
    // of the first record; an output the pass begins gets it too when written as the data,
    // and gets one when it is asked for. A CSV or TSV output the pass begins then gets its
    // header row.
    void StartReading() {
        const bool automatic = c_.LineRules == LineRuleChoice::Auto;
        std::string_view head = source_->Peek(kAutoBytes);
        bool marked = c_.Output.Encoding == OutputEncoding::Utf8WithMark;
        if (c_.DataCodePage == CodePage::Utf8 && head.starts_with(kUtf8Mark)) {
            source_->Consume(kUtf8Mark.size());
            head.remove_prefix(kUtf8Mark.size());
            sourceStart_ = kUtf8Mark.size();
            marked = marked || c_.Output.Encoding == OutputEncoding::AsData;
        }
        const LineRule rule = DecideLineRule(c_.LineRules, head);
        lineEnd_ = LineEndFor(c_.OutputLineEnds, rule);
        output_->SetLineEnd(lineEnd_);
        if (outputBegun_) BeginOutput(marked);
        reader_.emplace(*source_, rule, RecordReader::kDefaultBlockSize,
                        std::move(buffers_.reader));
        reader_->SetKeep(KeepOfRecord());
        reader_->ReadSourceAhead();
        pump_->ShowLineRule(rule, automatic);
    }

    void BeginOutput(bool marked) {
        if (marked) {
            output_->Append(kUtf8Mark);
            output_->MarkWhole();
        }
        if (columns_ && columns_->WritesHeader()) {
            columns_->Header(ColumnNames(c_), *output_);
            output_->EndRecord();
        }
    }

    // Reads may wait long on a slow source, and a long record takes many: the windows get
    // their turn in between. After a cancel the record at hand is still read, as far as a
    // few more reads take it; a read that would wait, or one more, ends the pass at once.
    void WhileReading(bool waiting) {
        if (pump_->Poll(reader_ ? reader_->BytesConsumed() : 0)) ReadLiveControls();
        if (!state_.CancelFlag) return;
        if (waiting || ++readsAfterCancel_ > kReadsAfterCancel) throw ReadCancelled{};
    }

    void RecordLoops() {
        if (c_.SelectMode == SelectModes::ByCode) ReadLiveControls();
        if (c_.SelectMode == SelectModes::AllRecords && c_.FieldMode == FieldModes::WholeRecord &&
            !columns_) {
            CopyRuns();
        }
        std::string_view record;
        while (!selection_.Done() && NextRecord(record)) {
            if (selection_.Selected(state_.run.SourceCount, record)) WriteRecord(record);
            SkipUnselected();
            WriteHeld();
        }
    }

    // The records whose line ends are held already take the same steps without a call each
    // to the reader; those surely not written are left to be skipped. Events are pumped after
    // them: nothing that the pump could change is looked at in between.
    void WriteHeld() {
        if (selection_.Done() || cancelNoticed_) return;
        std::int64_t& count = state_.run.SourceCount;
        if (selection_.SelectsEvery()) {
            reader_->EachHeld([this, &count](std::string_view record) {
                ++count;
                WriteRecord(record);
                return true;
            });
        } else {
            reader_->EachHeld([this, &count](std::string_view record) {
                ++count;
                if (selection_.Selected(count, record)) WriteRecord(record);
                return !selection_.Done() && selection_.UnselectedAfter(count) == 0;
            });
        }
        if (pump_->Tick(reader_->BytesConsumed())) ReadLiveControls();
    }

    // Records that are surely not written are only counted, as far as the bytes held go; a
    // cancel leaves them to the record loop.
    void SkipUnselected() {
        const std::int64_t ahead = selection_.UnselectedAfter(state_.run.SourceCount);
        if (ahead > 0 && !state_.CancelFlag) state_.run.SourceCount += reader_->SkipHeld(ahead);
    }

    // The step every record loop takes: the next record into `record`, counted. False at
    // the end of the source, and once the cancel flag is set: the record read then is
    // counted, not written, also when the cancel came while it was being read.
    bool NextRecord(std::string_view& record) {
        if (cancelNoticed_ || reader_->AtEnd()) return false;
        ++state_.run.SourceCount;
        try {
            record = reader_->Next();
        } catch (const ReadCancelled&) {
            state_.CancelFlag = true;
        }
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
        std::optional<AheadCopy> ahead;
        StartAheadCopy(ahead);
        bool owesLineEnd = false;
        try {
            owesLineEnd = CopyRunsWith(ahead);
        } catch (const ReadCancelled&) {
            // A record begun and cut short by the cancel is no part of the output.
            if (ahead) output_->Skip(ahead->Finish(AheadCopy::Keeping::WholeRecords), true);
            throw;
        } catch (...) {
            if (ahead) output_->Skip(ahead->Abandon(), true);
            throw;
        }
        if (ahead) output_->Skip(ahead->Finish(AheadCopy::Keeping::All), !owesLineEnd);
        if (owesLineEnd) output_->EndRecord();
    }

    // True when the last record kept has no line end in the source, and is owed one.
    bool CopyRunsWith(std::optional<AheadCopy>& ahead) {
        std::int64_t& count = state_.run.SourceCount;
        while (!state_.CancelFlag && !reader_->AtEnd()) {
            const RecordReader::Run run = reader_->NextRun(EventPump::kCheckRecords, lineEnd_);
            if (run.records > 0) {
                count += run.records;
                state_.run.OutputCount += run.records;
                if (ahead) {
                    ahead->Keep(run.bytes.size(), true);
                } else {
                    output_->AppendRun(run.bytes);
                    output_->MarkWhole();
                }
                pump_->Poll(reader_->BytesConsumed());
                continue;
            }
            if (!ahead) break;
            std::string_view record;
            if (!NextRecord(record)) break;
            KeepAhead(*ahead, record);
            ++state_.run.OutputCount;
            if (!reader_->EndedWith(lineEnd_)) return true;
            ahead->Keep(lineEnd_.size(), true);
        }
        return false;
    }

    // The bytes of a record, however long, are the copy's own.
    void KeepAhead(AheadCopy& ahead, std::string_view record) {
        ahead.Keep(record.size(), false);
        if (reader_->Partial()) {
            reader_->Rest([&ahead](std::string_view piece) { ahead.Keep(piece.size(), false); });
        }
    }

    // Where no helper thread can be started, the loop writes the runs itself; so it does for
    // a small source, where starting the thread and waiting for it costs more than the copy.
    void StartAheadCopy(std::optional<AheadCopy>& ahead) {
        const auto size = source_->Size();
        if (!size || *size < sourceStart_ + kSmallSource || !AheadCopy::Suits(output_->fd())) {
            return;
        }
        output_->Flush();
        try {
            ahead.emplace(AheadCopy::Ends{source_->fd(), sourceStart_, *size - sourceStart_,
                                          state_.run.ActualSourceName, output_->fd(),
                                          state_.run.ActualOutputName, lineEnd_},
                          [this] { pump_->Poll(reader_->BytesConsumed()); });
        } catch (const std::system_error&) {
        }
    }

    void WriteRecord(std::string_view record) {
        // The usual record: fields of a record held whole, cut as laid out.
        if (usualFields_ && !reader_->Partial() && fields_.Started()) {
            fields_.Layout().Write(record, *output_);
        } else {
            WriteUnusual(record);
        }
        output_->EndRecord();
        ++state_.run.OutputCount;
    }

    [[gnu::noinline]] void WriteUnusual(std::string_view record) {
        if (columns_) {
            WriteValues(record);
        } else if (c_.FieldMode == FieldModes::WholeRecord) {
            WriteWhole(record);
        } else if (reader_->Partial() && FieldsPastHead(record)) {
            WriteLongFields(record);
        } else {
            if (!fields_.Started()) StartLayout(static_cast<std::int64_t>(record.size()));
            fields_.Layout().Write(record, *output_);
        }
    }

    // The record's values as the output form asks.
    void WriteValues(std::string_view record) {
        const bool whole = c_.FieldMode == FieldModes::WholeRecord;
        if (reader_->Partial() && (whole || FieldsPastHead(record))) {
            WriteLongValues(record);
            return;
        }
        if (!whole && !fields_.Started()) StartLayout(static_cast<std::int64_t>(record.size()));
        columns_->Record(record, whole ? nullptr : &fields_.Layout(), *output_);
    }

    // The values of a record longer than the reader keeps: each from the head in memory and
    // past it from the record's tail, read again in blocks as often as the value needs.
    void WriteLongValues(std::string_view head) {
        const std::uint64_t before = output_->Taken();
        std::uint64_t length = 0;
        const RecordTail tail = TakeTail(length);
        std::vector<char> block;
        const auto value = [&](std::uint64_t at, std::uint64_t bytes) {
            const ColumnWriter::Pieces pieces = [&](const auto& take) {
                std::uint64_t from = at;
                std::uint64_t left = bytes;
                // The head too goes in blocks, so that what a value's conversion holds stays
                // a block's worth.
                while (from < head.size() && left > 0) {
                    const auto inHead =
                        std::min<std::uint64_t>({left, head.size() - from, kTailBlock});
                    take(head.substr(from, inHead));
                    from += inHead;
                    left -= inHead;
                }
                if (left > 0) ReadTail(tail, from - head.size(), left, block, take);
            };
            const bool inside =
                at < head.size() && StartsInsideCharacter(head, at, c_.DataCodePage);
            columns_->LongValue(pieces, bytes, inside, *output_);
        };
        try {
            columns_->BeginRecord();
            if (c_.FieldMode == FieldModes::WholeRecord) {
                value(0, length);
            } else {
                if (!fields_.Started()) StartLayout(static_cast<std::int64_t>(length));
                fields_.Layout().ForEachColumn(length, value);
            }
        } catch (const ReadCancelled&) {
            output_->CutBack(before);
            throw;
        }
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

    // The fields of a record longer than the reader keeps: from the head in memory, and past
    // it from the record's tail, read again in blocks.
    void WriteLongFields(std::string_view head) {
        const std::uint64_t before = output_->Taken();
        std::uint64_t length = 0;
        const RecordTail tail = TakeTail(length);
        if (!fields_.Started()) StartLayout(static_cast<std::int64_t>(length));
        std::vector<char> block;
        try {
            fields_.Layout().ForEachPiece(length, [&](std::uint64_t at, std::uint64_t bytes) {
                if (at < head.size()) {
                    const auto inHead = std::min<std::uint64_t>(bytes, head.size() - at);
                    output_->Append(head.substr(at, inHead));
                    at += inHead;
                    bytes -= inHead;
                }
                if (bytes > 0) {
                    ReadTail(tail, at - head.size(), bytes, block,
                             [this](std::string_view piece) { output_->AppendRun(piece); });
                }
            });
        } catch (const ReadCancelled&) {
            output_->CutBack(before);
            throw;
        }
    }

    // Reads past the head of a long record to its end; `length` is then the whole record's.
    RecordTail TakeTail(std::uint64_t& length) {
        if (source_->Size()) {
            const auto offset = static_cast<off_t>(sourceStart_ + reader_->BytesConsumed());
            length = reader_->Rest(nullptr);
            return {source_->fd(), offset};
        }
        if (!spool_) spool_.emplace();
        spool_->Clear();
        length = reader_->Rest([this](std::string_view piece) { spool_->Append(piece); });
        return {spool_->fd(), 0};
    }

    // `bytes` of the tail from `from` on, handed to `take` a block at a time.
    template <typename Take>
    void ReadTail(const RecordTail& tail, std::uint64_t from, std::uint64_t bytes,
                  std::vector<char>& block, const Take& take) {
        block.resize(kTailBlock);
        while (bytes > 0) {
            const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, kTailBlock));
            const ssize_t got =
                ::pread(tail.fd, block.data(), want, tail.offset + static_cast<off_t>(from));
            if (got < 0) throw FileError(errno, state_.run.ActualSourceName);
            if (got == 0) throw SourceChanged(state_.run.ActualSourceName);
            take(std::string_view(block.data(), static_cast<std::size_t>(got)));
            from += static_cast<std::uint64_t>(got);
            bytes -= static_cast<std::uint64_t>(got);
        }
    }

    // The first record written to an output file fixes "*", and so how much of a record
    // is kept.
    void StartLayout(std::int64_t length) {
        fields_.Start(length);
        reader_->SetKeep(KeepOfRecord());
    }

    EngineState& state_;
    Conditions& c_;
    Host& host_;
    PassBuffers& buffers_;
    std::unique_ptr<FileSource> source_;
    std::uint64_t sourceStart_ = 0;  // the byte of the source that records begin at
    std::unique_ptr<RecordWriter> output_;
    bool outputBegun_ = false;  // the pass begins the output, rather than appending to it
    std::string_view lineEnd_;  // what follows each written record
    std::optional<RecordReader> reader_;
    std::optional<EventPump> pump_;
    RecordSelection selection_{c_};
    bool cancelNoticed_ = false;  // the record read after the cancel is counted once
    int readsAfterCancel_ = 0;    // reads of the record at hand since the cancel
    FieldLayout fields_{c_.FieldItems};
    std::optional<ColumnWriter> columns_;  // unless records are written as cut
    // Listed fields written as cut.
    const bool usualFields_ = c_.FieldMode == FieldModes::ListedFields && WrittenAsCut(c_);
    std::optional<Spool> spool_;  // tails of long records from a pipe or device
};

void RunPasses(EngineState& state, Host& host) {
    PassBuffers buffers;
    while (true) {
        state.CancelFlag = false;
        state.ElapsedMs = 0;
        host.PumpEvents({0, std::nullopt, 0, {}});
        // A stop signal between passes ends the series before the next one begins.
        if (StopSignal() != 0) return;
        if (state.conditions.SourceHasPlaceholder) {
            // The dialog may be answered after a stop signal came while it was shown.
            if (!NextPlaceholder(state.placeholder, host) || StopSignal() != 0) return;
            host.AppendRunLog({RunLogEntry::Kind::SeriesStep, state.placeholder.PlaceholderText});
        }
        Pass(state, host, buffers).Execute();
        if (state.CancelFlag || !state.conditions.SourceHasPlaceholder) return;
    }
}

}  // namespace

RunSummary Run(EngineState& state, Host& host) {
    host.RunStarted(host.Now());
    RunPasses(state, host);
    return {host.GroupedOrder(), state.run.TotalOutputCount, state.run.SourceCount,
            state.run.TotalUnconverted, host.Now()};
}

}  // namespace rivex
