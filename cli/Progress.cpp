#include "cli/Progress.h"

#include "cli/TerminalText.h"

namespace {
constexpr int BarWidth = 30;
}

Progress::Progress(std::ostream& out, int total, bool terminal)
    : out_(out), total_(total), bar_(total > 1 && terminal), lines_(total > 1 && !terminal) {}

void Progress::Begin(const std::string& source) {
    label_ = PrintableName(source);
    if (bar_) DrawBar(label_);
}

void Progress::Finished(const std::string& source) {
    ++finished_;
    label_ = PrintableName(source);
    if (bar_) DrawBar(label_);
}

void Progress::Written(const std::string& source, const std::string& output) {
    Line(PrintableName(source) + " -> " + PrintableName(output));
}

void Progress::Skipped(const std::string& source, const std::string& output) {
    Line(PrintableName(source) + ": skipped, " + PrintableName(output) + " is newer");
}

void Progress::Failed(const std::string& source, const std::string& message) {
    ++reported_;
    ClearBar();
    out_ << PrintableName(source) << ": " << PrintableText(message) << '\n' << std::flush;
    if (bar_) DrawBar(label_);
}

void Progress::Finish() {
    if (barShown_) out_ << '\n' << std::flush;
    barShown_ = false;
}

void Progress::Line(const std::string& text) {
    ++reported_;
    if (lines_) out_ << '[' << reported_ << '/' << total_ << "] " << text << '\n' << std::flush;
}

void Progress::DrawBar(const std::string& label) {
    int filled = total_ > 0 ? finished_ * BarWidth / total_ : BarWidth;
    out_ << "\r\033[K[" << std::string(filled, '#') << std::string(BarWidth - filled, '-') << "] "
         << finished_ << '/' << total_ << ' ' << label << std::flush;
    barShown_ = true;
}

void Progress::ClearBar() {
    if (barShown_) out_ << "\r\033[K";
    barShown_ = false;
}
