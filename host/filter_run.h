#pragma once
#include <cstddef>
#include <string>

#include "filter_options.h"
#include "plugin_session.h"
#include "progress_line.h"
#include "reading_report.h"
#include "spoken_output.h"

namespace postsift::host {

// Every input in command-line order through the one filter, as an engine
// would feed it: each message file whole, each mailbox message by message.
// With a report, each message and its spoken text go to the report instead
// of the output.
class filterRun {
public:
    filterRun(const filterOptions& options, pluginSession& session, spokenOutput& output, progressLine& progress,
              readingReport* report = nullptr)
        : options_(options), session_(session), output_(output), progress_(progress), report_(report) {}

    // False when something went wrong; what was possible was done.
    bool run();

private:
    void filterFile(const std::string& path);
    void filterMailbox(const std::string& path);
    void filterReportInput(const std::string& path);
    void filterMessage(std::string message, const std::string& where);
    void complain(const std::string& message);

    const filterOptions& options_;
    pluginSession& session_;
    spokenOutput& output_;
    progressLine& progress_;
    readingReport* report_;
    bool failed_ = false;
    bool stopped_ = false;  // the plug-in's output could not be kept apart
};

}  // namespace postsift::host
