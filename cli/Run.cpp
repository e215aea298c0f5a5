#include "cli/Run.h"

#include <chrono>
#include <new>

#include "cli/Batch.h"
#include "cli/BatchReport.h"
#include "cli/Convert.h"
#include "cli/OutputPlan.h"
#include "cli/StandardInputCopy.h"
#include "core/Errors.h"
#include "platform/Bitmap.h"
#include "platform/File.h"
#include "platform/FolderWalk.h"
#include "platform/PathQuery.h"

namespace {

// The text of the error being handled: the system's own message wherever it has one. A failed
// write also names the output and the system's reason, which the fixed text leaves out.
std::string CurrentFailure(const std::string& output) {
    try {
        throw;
    } catch (const EWriteError& e) {
        return e.SystemReason().empty() ? e.Message()
                                        : e.Message() + " (" + output + ": " + e.SystemReason() + ")";
    } catch (const Exception& e) {
        return e.Message().empty() ? std::string(e.ClassName()) : e.Message();
    } catch (const std::bad_alloc&) {
        return ErrorText::OutOfResources;
    } catch (const platform::RasterError&) {
        return ErrorText::OutOfResources;
    } catch (const std::exception& e) {
        return e.what();
    }
}

// With -r and -o the folders of the mirrored tree are made as their pictures are written.
void MakeOutputFolder(const std::string& output) {
    const std::string::size_type slash = output.rfind('/');
    std::string error;
    if (slash != std::string::npos && slash > 0 && !platform::MakeFolders(output.substr(0, slash), error))
        throw EFCreateError(Format(ErrorText::FCreate, platform::FullPath(output).c_str(), error.c_str()));
}

WrittenPicture ConvertSource(const PlannedOutput& entry, const ConvertOptions& options) {
    if (entry.source == StandardStream && !options.stdinExtension.empty()) {
        StandardInputCopy input(options.stdinExtension);
        return ConvertFile(input.Path(), entry.output, options);
    }
    if (options.recursive && options.output) MakeOutputFolder(entry.output);
    return ConvertFile(entry.source, entry.output, options);
}

// Converts one SOURCE of the plan; every failure becomes part of the outcome.
FileOutcome ConvertPlanned(const PlannedOutput& entry, const ConvertOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    FileOutcome outcome;
    try {
        if (!entry.refusal.empty()) throw Exception(entry.refusal);
        if (entry.skip) {
            outcome.status = FileOutcome::Skipped;
            outcome.bytes = platform::FileSize(entry.output);
            return outcome;
        }
        const WrittenPicture written = ConvertSource(entry, options);
        outcome.status = FileOutcome::Written;
        outcome.width = written.width;
        outcome.height = written.height;
        outcome.quality = written.quality;
        outcome.bytes = entry.output == StandardStream ? -1 : platform::FileSize(entry.output);
    } catch (...) {
        outcome.error = CurrentFailure(entry.output);
    }
    outcome.milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    return outcome;
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err, bool terminal,
               const std::function<void()>& prepare) {
    std::vector<PlannedOutput> plan = PlanOutputs(options);
    BatchReport report(plan, err, terminal, options.json ? &out : nullptr);
    RunBatch(
        plan, options.jobs, [&](const PlannedOutput& entry) { return ConvertPlanned(entry, options); },
        prepare, report);
    return report.Finish();
}
