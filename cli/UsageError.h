#pragma once
#include <stdexcept>
#include <string>

// A command line the program cannot act on; reported with the usage hint and exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};
