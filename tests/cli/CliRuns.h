#pragma once
// Running the real brelvik-cli from a test, and the files it reads and writes.
#include <QProcess>
#include <QStringList>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "core/TBitmap.h"
#include "tests/core/RasterTestHelpers.h"

struct CliRun {
    int status = -1;
    std::string out, err;
};

// Runs brelvik-cli in `dir` with `input` on its standard input (then closed).
inline CliRun RunCli(const std::string& dir, const QStringList& args, const std::string& input = {}) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(dir));
    process.start(QStringLiteral(BRELVIK_BINARY_DIR "/brelvik-cli"), args);
    process.write(input.data(), qint64(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(120000);
    CliRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

inline std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream data;
    data << file.rdbuf();
    return data.str();
}

// A smooth 24-bit picture with a different value in every channel of every pixel.
inline void WriteSample(const std::string& path, int width = 38, int height = 24) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bmp.Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = std::uint8_t(x * 6);
            row[3 * x + 1] = std::uint8_t(y * 10);
            row[3 * x + 2] = std::uint8_t(40 + x * 3 + y * 4);
        }
    }
    bmp.WriteToFile(path);
}
