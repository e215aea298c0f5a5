#pragma once
#include <ostream>
#include <string>

// Reports the files of one run on the error stream. Failures are always reported, as
// "SOURCE: message". With several files there is also progress: a bar with the file count on a
// terminal, one line per file otherwise. With several workers files finish out of order: the bar
// counts each as it finishes (Finished), while the reports (Written, Failed, Skipped) come in
// source order, so the lines read as with one worker. Control characters in names and messages
// are shown escaped (see TerminalText).
class Progress {
public:
    Progress(std::ostream& out, int total, bool terminal);

    void Begin(const std::string& source);
    void Finished(const std::string& source);
    void Written(const std::string& source, const std::string& output);
    void Failed(const std::string& source, const std::string& message);
    void Skipped(const std::string& source, const std::string& output);
    void Finish();

private:
    void DrawBar(const std::string& label);
    void ClearBar();
    void Line(const std::string& text);

    std::ostream& out_;
    int total_;
    int finished_ = 0;  // counted by the bar
    int reported_ = 0;  // numbered in the lines
    std::string label_;
    bool bar_;    // a redrawn bar on a terminal
    bool lines_;  // one line per file
    bool barShown_ = false;
};
