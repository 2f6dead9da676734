#include "engine/preview.h"

#include <algorithm>

#include "engine/byte_source.h"
#include "engine/checks.h"
#include "engine/column_writer.h"
#include "engine/notation.h"
#include "engine/output_layout.h"
#include "engine/placeholder.h"
#include "engine/record_pager.h"
#include "engine/record_reader.h"
#include "engine/record_selection.h"
#include "engine/record_writer.h"

namespace rivex {
namespace {

// Nothing is written, so any output name passes when none is chosen yet.
constexpr char kStandInOutput = '-';

// The bytes of a record kept for the listed fields, at most: the preview shows the head of
// each output record only.
constexpr std::size_t kMostKept = 1024 * 1024;

// The selected records of one source into `preview`, as a pass writes them.
class PreviewPass {
  public:
    PreviewPass(OutputPreview& preview, ByteSource& source, LineRule rule)
        : preview_(preview), c_(preview.conditions), reader_(source, rule), writer_(sink_) {
        preview_.lineEnd = LineEndFor(c_.OutputLineEnds, rule);
        reader_.SetKeep(Keep());
        if (!WrittenAsCut(c_)) columns_.emplace(c_);
        if (columns_ && columns_->WritesHeader()) {
            RecordWriter header(preview_.header);
            columns_->Header(ColumnNames(c_), header);
            header.Flush();
        }
    }

    void Walk(bool exclusion, bool grouped) {
        RecordSelection selection(c_);
        selection.Update(exclusion, grouped);
        while (!selection.Done() && preview_.records.size() < OutputPreview::kRecords &&
               !reader_.AtEnd()) {
            if (reader_.BytesConsumed() >= OutputPreview::kScanBytes) {
                preview_.scanCut = true;
                return;
            }
            const std::string_view record = reader_.Next();
            ++preview_.sourceRecords;
            if (selection.Selected(preview_.sourceRecords, record)) Write(record);
        }
    }

  private:
    std::size_t Keep() const {
        return std::min(NeededBytes(c_, fields_.Reach(), kMostKept), kMostKept);
    }

    void Write(std::string_view record) {
        const bool whole = c_.FieldMode == FieldModes::WholeRecord;
        if (columns_) {
            if (!whole && !fields_.Started()) StartLayout(record);
            columns_->Record(record, whole ? nullptr : &fields_.Layout(), writer_);
        } else if (whole) {
            writer_.Append(record.substr(0, OutputPreview::kRecordBytes));
        } else {
            if (!fields_.Started()) StartLayout(record);
            fields_.Layout().Write(record, writer_);
        }
        writer_.Flush();
        sink_.resize(std::min(sink_.size(), OutputPreview::kRecordBytes));
        preview_.records.push_back(std::move(sink_));
        sink_.clear();
    }

    // "*" is the last column of the first record written, as in a run.
    void StartLayout(std::string_view record) {
        const auto length =
            static_cast<std::int64_t>(reader_.Partial() ? reader_.Rest(nullptr) : record.size());
        fields_.Start(length);
        reader_.SetKeep(Keep());
    }

    OutputPreview& preview_;
    Conditions& c_;
    RecordReader reader_;
    std::string sink_;
    RecordWriter writer_;
    FieldLayout fields_{c_.FieldItems};
    std::optional<ColumnWriter> columns_;  // unless records are written as cut
};

}  // namespace

OutputPreview CheckPreview(const ExtractionRequest& form) {
    OutputPreview preview;
    EngineState scratch;
    ExtractionRequest checked = form;
    if (checked.OutputName.empty()) checked.OutputName.push_back(kStandInOutput);
    try {
        preview.refusal = CompileConditions(checked, scratch);
    } catch (const NumberTooLarge& e) {
        // A run stops there with the error box; the preview shows its text and the cell.
        preview.refusal = Refusal{e.WithPlace(), Focus::Unchanged};
        return preview;
    }
    preview.conditions = scratch.conditions;
    preview.writtenIn = OutputCodePage(form.Output.Encoding, form.Encoding);
    return preview;
}

void ReadPreview(OutputPreview& preview, const ExtractionRequest& form,
                 const std::string& placeholderText, const std::atomic<bool>* stop) {
    const Conditions& c = preview.conditions;
    ViewedFile source(c.SourceHasPlaceholder ? ReplacePlaceholder(c.SourceFileName, placeholderText)
                                             : c.SourceFileName,
                      stop);
    const bool automatic = c.LineRules == LineRuleChoice::Auto;
    const LineRule rule = DecideLineRule(c.LineRules, automatic ? source.Head(kAutoBytes) : "");
    PreviewPass(preview, source, rule).Walk(form.ExcludeListed, form.Order == CodeOrder::Grouped);
}

OutputPreview PreviewOutput(const ExtractionRequest& form, const std::string& placeholderText) {
    OutputPreview preview = CheckPreview(form);
    if (!preview.refusal) ReadPreview(preview, form, placeholderText);
    return preview;
}

}  // namespace rivex
