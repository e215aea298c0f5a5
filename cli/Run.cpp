#include "cli/Run.h"

#include <new>

#include "cli/Convert.h"
#include "cli/OutputPlan.h"
#include "cli/Progress.h"
#include "core/Errors.h"
#include "platform/Bitmap.h"

namespace {

// The text of the error being handled: the system's own message wherever it has one. A failed
// write also names the output and the system's reason, which the fixed text leaves out.
std::string CurrentFailure(const std::string& output) {
    try {
        throw;
    } catch (const EWriteError& e) {
        return e.SystemReason().empty() ? e.Message() : e.Message() + " (" + output + ": " + e.SystemReason() + ")";
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

}  // namespace

int RunConvert(const ConvertOptions& options, std::ostream& err, bool terminal) {
    std::vector<PlannedOutput> plan = PlanOutputs(options);
    Progress progress(err, int(plan.size()), terminal);
    int status = 0;
    for (const PlannedOutput& entry : plan) {
        progress.Begin(entry.source);
        try {
            if (!entry.refusal.empty()) throw Exception(entry.refusal);
            ConvertFile(entry.source, entry.output, options);
            progress.Written(entry.source, entry.output);
        } catch (...) {
            progress.Failed(entry.source, CurrentFailure(entry.output));
            status = 1;
        }
    }
    progress.Finish();
    return status;
}
