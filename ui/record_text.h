// Record bytes as the viewer shows them: character by character in the data's encoding,
// never changing what they are.
#pragma once

#include <QString>
#include <memory>
#include <string_view>

#include "engine/codepage.h"

namespace rivex::ui {

class RecordText {
  public:
    explicit RecordText(CodePage cp);
    ~RecordText();
    CodePage Page() const { return cp_; }

    // The one character `bytes` as drawn: control bytes as a middle dot, bytes that are no
    // character of the encoding as "?".
    QString Character(std::string_view bytes);

    // A whole record, character by character.
    QString Record(std::string_view bytes);

  private:
    CodePage cp_;
    std::unique_ptr<Converter> converter_;  // to UTF-8, for a code page other than UTF-8
};

}  // namespace rivex::ui
