// brelvik-cli where scripts go wrong: closed and full standard streams, empty pictures, trees it
// cannot search, workers it cannot start, names that are not what they seem. Each case is a bash
// script run in a fresh folder holding a.bmp and b.bmp, with $CLI the program; the script's status
// must be the one expected and its error stream must hold the text expected. "none FILE" ends a
// script with the status of the command before it, or 9 when that command left FILE behind.
#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>

#include "tests/TestSupport.h"
#include "tests/cli/CliRuns.h"

namespace {

struct Case {
    const char* script;
    int status;
    const char* message;
};

const Case cases[] = {
    // Closed and full standard streams: nothing lands in a worker's channel, nothing is lost unsaid.
    {"cp a.bmp c.bmp; $CLI convert -j2 a.bmp b.bmp c.bmp 2>&- && test -s a.jpg -a -s b.jpg -a -s c.jpg", 0,
     ""},
    {"$CLI convert --json -j2 a.bmp b.bmp >&-", 1, "write error on standard output"},
    {"$CLI convert --json -j2 a.bmp b.bmp > /dev/full", 1, "write error on standard output"},
    {"$CLI --help > /dev/full", 1, "write error"},
    {"$CLI --version >&-", 1, "write error"},
    {"$CLI info a.bmp >&-", 1, "write error"},
    {"$CLI convert -o /dev/stdout a.bmp >&-", 1, "Bad file descriptor"},
    {"printf KEEP- > f.jpg; $CLI convert -o /proc/thread-self/fd/1 a.bmp >> f.jpg && head -c 5 f.jpg | "
     "grep -qx KEEP- && test $(wc -c < f.jpg) -gt 100",
     0, ""},
    // Links to its own descriptors are written through, where the shell left them.
    {R"sh($CLI convert a.bmp -o r.jpg; ln -s /proc/self/fd/1 out;
        { printf head; $CLI convert a.bmp -o out; } > f.jpg && test -L out && cmp f.jpg <(printf head; cat r.jpg))sh",
     0, ""},
    {R"sh($CLI convert a.bmp -o r.jpg; $CLI convert a.bmp -o /dev/fd/1 | cat > f.jpg && cmp f.jpg r.jpg)sh",
     0, ""},
    // Scratch files: fresh names another user's folders cannot block, private while they live,
    // named when they fail, gone afterwards.
    {R"sh(mkdir -p s/brelvik-cli-input.bmp s/brelvik-cli-output;
        TMPDIR=$PWD/s $CLI convert --from bmp - -o - < a.bmp > f.jpg && test -s f.jpg)sh",
     0, ""},
    {R"sh(mkdir s; { head -c 2 a.bmp; sleep 1; } | (umask 022; TMPDIR=$PWD/s exec $CLI convert --from bmp - -o h.jpg) &
        sleep 0.5; stat -c %a s/* >&2; wait; test -z "$(ls s)")sh",
     0, "600"},
    {"TMPDIR=$PWD/missing $CLI convert a.bmp -o - > x.jpg", 1,
     "/missing/brelvik-XXXXXX\". No such file or directory"},
    {"TMPDIR=$PWD/missing $CLI convert --from bmp - -o x.jpg < a.bmp", 1,
     "/missing/brelvik-XXXXXX.bmp\". No such file or directory"},
    {R"sh(mkdir s; ulimit -f 2; TMPDIR=$PWD/s $CLI convert --to bmp a.bmp -o - > x.bmp; e=$?; test -z "$(ls s)" || exit 9; exit $e)sh",
     1, "a.bmp: Stream write error (scratch file "},
    {R"sh(ulimit -f 2; $CLI convert --to bmp a.bmp -o x.bmp; e=$?; test "$(ls -A | tr '\n' ' ')" = "a.bmp b.bmp " || exit 9; exit $e)sh",
     1, "a.bmp: Stream write error (x.bmp: File too large)"},
    {"$CLI convert --files-from - <&-", 2, "Cannot read standard input"},
    {"$CLI convert --files-from /", 2, "Cannot open file \"/\". Is a directory"},
    // An empty picture is no picture, whatever the output kind; nothing is written.
    {": > e.bmp; $CLI convert e.bmp; none e.jpg", 1, "e.bmp: Bitmap image is not valid"},
    {": > e.bmp; $CLI convert --to bmp e.bmp -o f.bmp; none f.bmp", 1, "e.bmp: Bitmap image is not valid"},
    {"{ printf '\\1\\0\\0\\0\\130\\0\\0\\0'; head -c 8 /dev/zero; printf '\\143\\0\\0\\0\\143\\0\\0\\0';"
     "head -c 16 /dev/zero; printf ' EMF'; head -c 44 /dev/zero; } > z.emf; $CLI convert --to ico z.emf; "
     "none z.ico",
     1, "z.emf: Bitmap image is not valid"},
    {"$CLI convert --from bmp - -o e.jpg < /dev/null; none e.jpg", 1, "-: Bitmap image is not valid"},
    // -r reports what it cannot reach.
    {"mkdir t; ln -s gone t/d.bmp; $CLI convert -r t", 1, "t/d.bmp: Cannot open file"},
    {"top=$PWD; mkdir t; (cd t; for i in {1..16}; do mkdir $(printf %0250d $i); cd $(printf %0250d $i); done;"
     "cp $top/a.bmp $(printf %0200d 0).bmp); $CLI convert -r t",
     1, "File name too long"},
    {"chmod 755 .; mkdir -p t/locked; cp a.bmp t/locked/x.bmp; chmod 644 t/locked;"
     "setpriv --reuid=65534 --regid=65534 --clear-groups $CLI convert -r t",
     1, "t/locked: cannot read the folder: Permission denied"},
    {"chmod 755 .; mkdir -p t/locked t/z; cp a.bmp t; cp a.bmp t/z; cp a.bmp t/locked; chmod 644 t/locked;"
     "setpriv --reuid=65534 --regid=65534 --clear-groups $CLI convert -r --json t 2>/dev/null |"
     "grep -o '\"output\":[^,]*' | tr '\\n' ' ' >&2",
     0, "\"output\":\"t/a.jpg\" \"output\":null \"output\":\"t/z/a.jpg\" "},
    // No worker can be started: the batch is converted all the same. (The leak checker of a
    // sanitizer build needs a thread at exit, which the limit refuses too.)
    {"chmod 777 .; ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 setpriv --reuid=65534 "
     "--regid=65534 --clear-groups prlimit --nproc=1 $CLI convert -j2 "
     "a.bmp b.bmp"
     " && test -s a.jpg -a -s b.jpg",
     0, ""},
    // An output folder inside the tree, named through a link, is not converted again on a rerun.
    {"mkdir -p t/web; cp a.bmp t; ln -s t/web w; $CLI convert -r -o w t && $CLI convert -r -o w t && test ! "
     "-e t/web/web",
     0, ""},
    // Names are names: not the toolkit's options, not terminal commands, not options when a value.
    {"$CLI convert -j1 --caption x --at 1,1 -- -platform eglfs", 1, "eglfs: Unknown picture file extension"},
    {"$CLI convert $'a\\033[1mb.bmp' 2>&1 | grep -v $'\\033' >&2", 0, "$'a\\033[1mb.bmp': Cannot open file"},
    {"$CLI convert $'c\\302\\233d.bmp' 2>&1 | grep -v $'\\302\\233' >&2", 0,
     "$'c\\302\\233d.bmp': Cannot open file"},
    {"$CLI convert --caption --help x.bmp", 2, "--caption needs --at"},
};

TEST(CliStreamAndTreeFailures, EachIsReportedAndNothingIsLost) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const std::string dir = TempDir();
        WriteSample(dir + "/a.bmp");
        WriteSample(dir + "/b.bmp", 20, 30);
        QProcess bash;
        bash.setWorkingDirectory(QString::fromStdString(dir));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CLI", BRELVIK_BINARY_DIR "/brelvik-cli");
        bash.setProcessEnvironment(environment);
        bash.start("bash",
                   {"-c", QString("none() { s=$?; test ! -e \"$1\" || exit 9; exit $s; }; ") + c.script});
        ASSERT_TRUE(bash.waitForFinished(60000));
        const std::string err = bash.readAllStandardError().toStdString();
        EXPECT_EQ(bash.exitStatus() == QProcess::NormalExit ? bash.exitCode() : -1, c.status) << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        std::system(("rm -rf " + dir).c_str());  // the deep tree is beyond remove_all's paths
    }
}

}  // namespace
