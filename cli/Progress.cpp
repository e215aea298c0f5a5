#include "cli/Progress.h"

namespace {
constexpr int BarWidth = 30;
}

Progress::Progress(std::ostream& out, int total, bool terminal)
    : out_(out), total_(total), bar_(total > 1 && terminal), lines_(total > 1 && !terminal) {}

void Progress::Begin(const std::string& source) {
    if (bar_) DrawBar(source);
}

void Progress::Written(const std::string& source, const std::string& output) {
    ++done_;
    if (lines_) out_ << '[' << done_ << '/' << total_ << "] " << source << " -> " << output << '\n' << std::flush;
    if (bar_) DrawBar(source);
}

void Progress::Failed(const std::string& source, const std::string& message) {
    ++done_;
    ClearBar();
    out_ << source << ": " << message << '\n' << std::flush;
    if (bar_) DrawBar(source);
}

void Progress::Finish() {
    if (barShown_) out_ << '\n' << std::flush;
    barShown_ = false;
}

void Progress::DrawBar(const std::string& label) {
    int filled = total_ > 0 ? done_ * BarWidth / total_ : BarWidth;
    out_ << "\r\033[K[" << std::string(filled, '#') << std::string(BarWidth - filled, '-') << "] " << done_ << '/'
         << total_ << ' ' << label << std::flush;
    barShown_ = true;
}

void Progress::ClearBar() {
    if (barShown_) out_ << "\r\033[K";
    barShown_ = false;
}
