#pragma once
#include <ostream>
#include <string>

// Reports the files of one run on the error stream. Failures are always reported, as
// "SOURCE: message". With several files there is also progress: a bar with the file count on a
// terminal, one line per file otherwise.
class Progress {
public:
    Progress(std::ostream& out, int total, bool terminal);

    void Begin(const std::string& source);
    void Written(const std::string& source, const std::string& output);
    void Failed(const std::string& source, const std::string& message);
    void Finish();

private:
    void DrawBar(const std::string& label);
    void ClearBar();

    std::ostream& out_;
    int total_;
    int done_ = 0;
    bool bar_;       // a redrawn bar on a terminal
    bool lines_;     // one line per file
    bool barShown_ = false;
};
