// The windowed program: the five windows, the main one shown, and the event loop.
#include <QApplication>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "engine/standard_streams.h"
#include "engine/state.h"
#include "engine/stop_signals.h"
#include "ui/Rivex1.h"
#include "ui/Rivex2.h"
#include "ui/Rivex3.h"
#include "ui/Rivex4.h"
#include "ui/Rivex5.h"
#include "ui/window_language.h"

namespace {

constexpr const char* kUsage =
    "Usage: Rivex103 [--lang ja|en] [--view] [FILE]\n"
    "       Rivex103 --help | --version\n"
    "\n"
    "Opens the window of text record extraction, with FILE as the source file.\n"
    "  --lang      the language of the windows; the locale's when left out\n"
    "  --view      also shows the records of FILE in the record viewer\n"
    "  --help      print this help\n"
    "  --version   print the version\n";

// Answered before any window is made, so that they work where there is no display too.
bool AnsweredInfoOption(int argc, char** argv) {
    const std::string_view option = argc > 1 ? argv[1] : "";
    if (option == "--help") std::fputs(kUsage, stdout);
    if (option == "--version") std::fputs("Rivex103 " RIVEX_VERSION "\n", stdout);
    return option == "--help" || option == "--version";
}

// Each "--lang ja|en" first on the command line, taken off it: the last names the language,
// the locale's when there is none.
std::optional<rivex::Language> TakeLanguage(QStringList& args) {
    std::optional<rivex::Language> language = rivex::LanguageOfEnvironment();
    while (language && args.size() > 1 && args[1].startsWith("--lang")) {
        if (args[1].startsWith("--lang=")) {  // as rivex-batch takes it too
            language = rivex::LanguageNamed(args[1].mid(7).toStdString());
            args.remove(1);
        } else if (args[1] == "--lang") {
            language = args.size() > 2 ? rivex::LanguageNamed(args[2].toStdString()) : std::nullopt;
            args.remove(1, std::min<qsizetype>(2, args.size() - 1));
        } else {
            break;  // a file whose name begins so
        }
    }
    return language;
}

}  // namespace

int main(int argc, char** argv) {
    rivex::OpenClosedStandardStreams();
    if (AnsweredInfoOption(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 1;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Rivex103");
    QApplication::setOrganizationName("Rivex");  // where the viewer's place is kept
    QStringList args = QApplication::arguments();
    const std::optional<rivex::Language> language = TakeLanguage(args);
    if (!language) {
        std::fputs(kUsage, stderr);
        return 64;
    }
    rivex::ui::SetUpWindowLanguage(*language);
    rivex::CatchStopSignals();
    rivex::EngineState state;
    // The main window owns the others; the progress window and the placeholder dialog made
    // here are never shown: the run makes fresh ones for each use.
    rivex::ui::TForm1 form1(state);
    new rivex::ui::TForm2(state, &form1);
    auto* form3 = new rivex::ui::TForm3(&form1);
    new rivex::ui::TForm4(state.placeholder, &form1);
    auto* form5 = new rivex::ui::TForm5(&form1);
    form1.SetWindows(form3, form5);
    // A file named on the command line (as the desktop entry passes one) is the source;
    // "--view FILE" also shows its records.
    const bool view = args.size() > 2 && args[1] == "--view";
    if (view) args.removeAt(1);
    if (args.size() > 1) form1.ChooseSource(QFileInfo(args[1]).absoluteFilePath());
    form1.show();
    if (view) form1.OpenViewer();
    return app.exec();
}
