#include "cli/Options.h"

#include <charconv>
#include <cstdint>

#include "cli/ByteSize.h"
#include "cli/UsageError.h"
#include "platform/Color.h"

namespace {

// More workers than this only add processes that wait for the disk.
constexpr int MaxJobs = 256;

template <class Int>
bool ParseInt(const std::string& text, Int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

int IntInRange(const std::string& option, const std::string& text, int low, int high) {
    int value = 0;
    if (!ParseInt(text, value) || value < low || value > high)
        throw UsageError(option + " takes a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    return value;
}

std::int64_t PixelCount(const std::string& option, const std::string& text) {
    std::int64_t value = 0;
    if (!ParseInt(text, value) || value < 1)
        throw UsageError(option + " takes a positive whole number of pixels, not '" + text + "'");
    return value;
}

int BrightnessStep(const std::string& option, const std::string& text) {
    int value = 0;
    if (!ParseInt(text, value) || value < 10 || value > 50 || value % 10 != 0)
        throw UsageError(option + " takes 10, 20, 30, 40 or 50, not '" + text + "'");
    return value;
}

double RotationAngle(const std::string& text) {
    if (text == "90") return 90.0;
    if (text == "180") return 180.0;
    throw UsageError("--rotate takes 90 or 180, not '" + text + "'");
}

// A kind's name, or one of its extensions.
OutputKind Kind(const std::string& text) {
    const PictureKind* kind = KindByName(text);
    if (!kind || kind->writer == PictureWriter::None)
        throw UsageError("--to takes " + WritableKindNames(", ") + ", not '" + text + "'");
    return kind->writer;
}

std::string InputExtension(const std::string& text) {
    const PictureKind* kind = KindByName(text);
    if (!kind) throw UsageError("--from takes " + ReadableKindNames(", ") + ", not '" + text + "'");
    return "." + kind->extensions.front();
}

void Position(const std::string& text, EditStep& caption) {
    std::string::size_type comma = text.find(',');
    if (comma == std::string::npos || !ParseInt(text.substr(0, comma), caption.x) ||
        !ParseInt(text.substr(comma + 1), caption.y))
        throw UsageError("--at takes X,Y in whole pixels, not '" + text + "'");
    caption.positioned = true;
}

// RRGGBB as written on the web, into the 0x00BBGGRR order of a colour value.
TColor HexColor(const std::string& given) {
    std::string text = !given.empty() && given[0] == '#' ? given.substr(1) : given;
    unsigned value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
    if (text.size() != 6 || ec != std::errc() || ptr != end)
        throw UsageError("--color takes RRGGBB in hexadecimal, not '" + given + "'");
    return platform::RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

// Walks the arguments of `convert`, handing out option values in their three spellings:
// "--name value", "--name=value" and, for the short options, "-nVALUE".
class ArgumentCursor {
public:
    explicit ArgumentCursor(const std::vector<std::string>& args) : args_(args) {}

    bool Next() {
        if (++index_ >= args_.size()) return false;
        const std::string& arg = args_[index_];
        inlineValue_.reset();
        name_ = arg;
        if (arg.rfind("--", 0) == 0) {
            std::string::size_type eq = arg.find('=');
            if (eq != std::string::npos) {
                name_ = arg.substr(0, eq);
                inlineValue_ = arg.substr(eq + 1);
            }
        } else if (arg.size() > 2 && arg[0] == '-') {
            name_ = arg.substr(0, 2);
            inlineValue_ = arg.substr(2);
        }
        return true;
    }
    const std::string& Arg() const { return args_[index_]; }
    const std::string& Name() const { return name_; }
    // For options that take no value: "--json=1" or "-rx" is a mistake, not a value to drop.
    void NoValue() const {
        if (inlineValue_) throw UsageError("option " + name_ + " takes no value");
    }
    std::string Value() {
        if (inlineValue_) return *inlineValue_;
        if (index_ + 1 >= args_.size()) throw UsageError("option " + name_ + " needs a value");
        return args_[++index_];
    }

private:
    const std::vector<std::string>& args_;
    std::size_t index_ = 0;  // args_[0] is the command itself
    std::string name_;
    std::optional<std::string> inlineValue_;
};

EditStep& LastCaption(ConvertOptions& options, const std::string& option) {
    if (options.edits.empty() || options.edits.back().kind != EditStep::Caption)
        throw UsageError(option + " must follow the --caption it belongs to");
    return options.edits.back();
}

EditStep Edit(EditStep::Kind kind) {
    EditStep edit;
    edit.kind = kind;
    return edit;
}

// Returns false when the current argument is not an edit option.
bool ParseEdit(ArgumentCursor& cursor, ConvertOptions& options) {
    const std::string& name = cursor.Name();
    if (name == "--invert") {
        options.edits.push_back(Edit(EditStep::Invert));
    } else if (name == "--lighten" || name == "--darken") {
        EditStep edit = Edit(EditStep::Brightness);
        int step = BrightnessStep(name, cursor.Value());
        edit.step = name == "--lighten" ? step : -step;
        options.edits.push_back(edit);
    } else if (name == "--rotate") {
        EditStep edit = Edit(EditStep::Rotate);
        edit.angle = RotationAngle(cursor.Value());
        options.edits.push_back(edit);
    } else if (name == "--caption") {
        EditStep edit = Edit(EditStep::Caption);
        edit.text = cursor.Value();
        options.edits.push_back(edit);
    } else if (name == "--at") {
        Position(cursor.Value(), LastCaption(options, name));
    } else if (name == "--font") {
        std::string font = cursor.Value();
        if (font.empty()) throw UsageError("--font needs a font name");
        LastCaption(options, name).fontName = font;
    } else if (name == "--size") {
        LastCaption(options, name).fontSize = IntInRange(name, cursor.Value(), 1, 1000);
    } else if (name == "--color") {
        LastCaption(options, name).fontColor = HexColor(cursor.Value());
    } else {
        return false;
    }
    return true;
}

// Returns false when the current argument is not an option of batch work.
bool ParseBatchOption(ArgumentCursor& cursor, ConvertOptions& options) {
    const std::string& name = cursor.Name();
    bool* flag = name == "-r" || name == "--recursive" ? &options.recursive
                 : name == "-0" || name == "--null"    ? &options.nullSeparated
                 : name == "--json"                    ? &options.json
                 : name == "--skip-existing"           ? &options.skipExisting
                                                       : nullptr;
    if (flag) {
        cursor.NoValue();
        *flag = true;
    } else if (name == "--files-from") {
        options.filesFrom = cursor.Value();
        if (options.filesFrom->empty())
            throw UsageError("--files-from needs a FILE, or - for standard input");
    } else if (name == "--from") {
        options.stdinExtension = InputExtension(cursor.Value());
    } else {
        return false;
    }
    return true;
}

// The standard streams carry one picture each, and standard input serves one purpose.
void CheckStandardStreams(const ConvertOptions& options) {
    int fromStdin = 0;
    for (const std::string& source : options.sources) fromStdin += source == StandardStream;
    if (fromStdin > 0 && options.stdinExtension.empty())
        throw UsageError("SOURCE - needs --from " + ReadableKindNames() +
                         ", the kind of picture on standard input");
    if (fromStdin == 0 && !options.stdinExtension.empty())
        throw UsageError("--from names the kind of picture read for SOURCE -, which is not given");
    if (fromStdin > 0 && (options.sources.size() > 1 || options.filesFrom))
        throw UsageError("SOURCE - reads one picture from standard input, so it must be the only SOURCE");
    if (fromStdin > 0 && !options.output)
        throw UsageError("SOURCE - needs -o FILE, or -o - for standard output");
    if (options.output == StandardStream && options.json)
        throw UsageError("--json and -o - would both write to standard output");
    if (options.nullSeparated && !options.filesFrom) throw UsageError("-0 belongs to --files-from");
}

std::int64_t MaxSize(const std::string& option, const std::string& text) {
    const std::optional<std::int64_t> size = ParseByteSize(text);
    if (!size)
        throw UsageError(option + " takes a positive size in bytes, or with K, M or G, not '" + text + "'");
    return *size;
}

void CheckMaxSize(const ConvertOptions& options, bool qualityGiven) {
    if (!options.maxSize) return;
    if (options.kind != OutputKind::Jpeg) throw UsageError("--max-size applies to JPEG output only");
    if (qualityGiven) throw UsageError("--max-size chooses the quality itself, so it cannot take -q");
}

void CheckConvert(const ConvertOptions& options) {
    if (options.sources.empty() && !options.filesFrom)
        throw UsageError("convert needs at least one SOURCE, or --files-from");
    CheckStandardStreams(options);
    for (const EditStep& edit : options.edits)
        if (edit.kind == EditStep::Caption && !edit.positioned) throw UsageError("--caption needs --at X,Y");
    if (options.kind == OutputKind::Icon && !options.edits.empty())
        throw UsageError(
            "--to ico builds the icon from the source as loaded, "
            "so it cannot take edits");
}

// What the arguments read so far of `convert` tell about the rest.
struct ParseState {
    bool onlySources = false;  // after "--"
    bool qualityGiven = false;
};

// One argument of `convert` (with its value, if it takes one). Returns false for --help.
bool ParseConvertArgument(ArgumentCursor& cursor, ConvertOptions& options, ParseState& state) {
    const std::string& arg = cursor.Arg();
    const std::string& name = cursor.Name();
    if (state.onlySources || arg == "-" || arg.empty() || arg[0] != '-') {
        options.sources.push_back(arg);
    } else if (arg == "--") {
        state.onlySources = true;
    } else if (arg == "--help" || arg == "-h") {
        return false;
    } else if (name == "-t" || name == "--to") {
        options.kind = Kind(cursor.Value());
    } else if (name == "-q" || name == "--quality") {
        options.quality = IntInRange(name, cursor.Value(), 0, 100);
        state.qualityGiven = true;
    } else if (name == "-o" || name == "--output") {
        options.output = cursor.Value();
        if (options.output->empty()) throw UsageError(name + " needs a path");
    } else if (name == "-j" || name == "--jobs") {
        options.jobs = IntInRange(name, cursor.Value(), 1, MaxJobs);
    } else if (arg == "--lossless") {
        options.lossless = true;
    } else if (arg == "--keep-metadata") {
        options.keepMetadata = true;
    } else if (name == "--max-pixels") {
        options.maxPixels = PixelCount(name, cursor.Value());
    } else if (name == "--max-size") {
        options.maxSize = MaxSize(name, cursor.Value());
    } else if (!ParseBatchOption(cursor, options) && !ParseEdit(cursor, options)) {
        throw UsageError("unknown option '" + arg + "'");
    }
    return true;
}

// A --help among the options wins over any mistake in them; an option's value (the text of
// --caption, say) is never taken for an option. Returns false for --help.
bool ParseConvert(const std::vector<std::string>& args, ConvertOptions& options) {
    ArgumentCursor cursor(args);
    ParseState state;
    std::optional<UsageError> mistake;
    while (cursor.Next()) {
        try {
            if (!ParseConvertArgument(cursor, options, state)) return false;
        } catch (const UsageError& e) {
            if (!mistake) mistake = e;
        }
    }
    if (mistake) throw *mistake;
    CheckConvert(options);
    CheckMaxSize(options, state.qualityGiven);
    if (options.lossless && options.kind != OutputKind::Webp)
        throw UsageError("--lossless applies to WebP output only");
    if (options.lossless && state.qualityGiven)
        throw UsageError("--lossless keeps every pixel, so it cannot take -q");
    return true;
}

bool AsksFor(const std::vector<std::string>& args, const char* option) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == option) return true;
    }
    return false;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (args.empty()) throw UsageError("no command given");
    if (args[0] == "convert") {
        if (ParseConvert(args, line.convert)) line.command = CommandLine::Convert;
        return line;
    }
    if (AsksFor(args, "--help") || AsksFor(args, "-h")) return line;
    if (args[0] == "--version") {
        line.command = CommandLine::Version;
    } else if (args[0] == "info") {
        if (args.size() != 2) throw UsageError("info takes exactly one FILE");
        line.command = CommandLine::Info;
        line.infoPath = args[1];
    } else {
        throw UsageError("unknown command '" + args[0] + "'");
    }
    return line;
}

std::string OutputExtension(OutputKind kind) {
    return "." + KindWritingWith(kind)->extensions.front();
}
