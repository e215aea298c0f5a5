#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "formats/JpegRegistration.h"
#include "platform/Shell.h"
#include "ui/DialogSeam.h"
#include "ui/Forms.h"

// Answers the program's modal dialogs from a script and records what they were asked.
class ScriptedDialogs : public DialogHandler {
public:
    std::vector<std::string> errors;  // texts of error boxes, in order
    std::vector<std::string> titles;
    std::deque<std::optional<FileDialogResult>> openAnswers, saveAnswers;
    // Runs while the save dialog is "open" (timers keep firing inside it), before it answers.
    std::function<void(const FileDialogRequest&)> whileSaveOpen;

    void ShowError(const std::string& title, const std::string& text) override {
        titles.push_back(title);
        errors.push_back(text);
    }
    std::optional<FileDialogResult> RunOpenDialog(const FileDialogRequest&) override {
        return Next(openAnswers);
    }
    std::optional<FileDialogResult> RunSaveDialog(const FileDialogRequest& request) override {
        if (whileSaveOpen) whileSaveOpen(request);
        return Next(saveAnswers);
    }
    std::optional<FontChoice> RunFontDialog(const FontChoice&) override { return std::nullopt; }

private:
    static std::optional<FileDialogResult> Next(std::deque<std::optional<FileDialogResult>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The six windows, made afresh for each test with the dialogs scripted and the shell recorded.
class FormsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterJpegFormats(); }
    void SetUp() override {
        SetDialogHandler(&dialogs);
        platform::SetShellExecuteHook([this](const std::string& path) { shellPaths.push_back(path); });
        CreateForms();
    }
    void TearDown() override {
        DestroyForms();
        platform::SetShellExecuteHook({});
        SetDialogHandler(nullptr);
    }

    ScriptedDialogs dialogs;
    std::vector<std::string> shellPaths;
};

// A 24-bit BMP file of w x h whose pixel (x, y) (top row first) is colour(x, y) as 0xRRGGBB.
inline void WriteBmp24(const std::string& path, int w, int h,
                       const std::function<std::uint32_t(int, int)>& colour) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<std::uint8_t> file(54 + std::size_t(stride) * h, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = std::uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(w));
    put32(22, std::uint32_t(h));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t c = colour(x, y);
            std::size_t at = 54 + std::size_t(h - 1 - y) * stride + std::size_t(x) * 3;
            file[at] = std::uint8_t(c);
            file[at + 1] = std::uint8_t(c >> 8);
            file[at + 2] = std::uint8_t(c >> 16);
        }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

inline void WriteBytes(const std::string& path, std::size_t count) {
    std::ofstream(path, std::ios::binary) << std::string(count, 'x');
}

// A widget's pixel as 0xRRGGBB.
inline std::uint32_t PixelOf(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}
