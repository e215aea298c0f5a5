#pragma once

namespace platform {

// Starts the font engine for a program whose text output lives in the loadable text module
// (brelvik-cli): the toolkit is loaded only while one of these exists, and only the commands that
// draw text make one. Throws std::runtime_error when the module cannot be loaded.
class TextRuntime {
public:
    TextRuntime(int& argc, char** argv);
    ~TextRuntime();
    TextRuntime(const TextRuntime&) = delete;
    TextRuntime& operator=(const TextRuntime&) = delete;
};

}  // namespace platform
