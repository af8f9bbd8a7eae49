#include "cli/step_commands.h"

#include "cli/cli_session.h"
#include "cli/folder_arguments.h"
#include "cli/not_imported.h"

#include <cstdio>

namespace {

// Configures the session and checks the source; false, with `status` set, after a usage error.
bool Start(const CliOptions& options, CliSession& session, std::size_t arguments, int& status) {
    std::string reason;
    if (options.arguments.size() != arguments) {
        reason = options.command + (arguments == 1 ? " needs SOURCE" : " needs SOURCE and DEST");
    } else if (session.configure(options, reason)) {
        CheckSource(AsFolder(options.arguments[0]), reason);
    }
    if (!reason.empty()) {
        status = UsageError(reason);
        return false;
    }
    return true;
}

} // namespace

int UsageError(const std::string& reason) {
    std::fprintf(stderr, "tessaro-cli: %s (see tessaro-cli --help)\n", reason.c_str());
    return 2;
}

int RunPlanCommand(const CliOptions& options) {
    CliSession session;
    int status = 0;
    if (!Start(options, session, 1, status)) {
        return status;
    }
    session.prepare(AsFolder(options.arguments[0]));
    PrintNotImported(leftOnCard(session.catalogue()), options.listSkipped);
    const UnreadFolders& unread = unreadFolders(session.catalogue());
    PrintUnreadFolders(unread);
    // Before the tree, where it cannot be taken for a title.
    PrintUnreadCount(unread);
    for (const auto& entry : session.catalogue().results) {
        std::printf("%s%s\n", std::string(2 * entry->level, ' ').c_str(), entry->title.c_str());
    }
    return unread.empty() ? 0 : 1;
}

int RunSortCommand(const CliOptions& options) {
    CliSession session;
    int status = 0;
    if (!Start(options, session, 2, status)) {
        return status;
    }
    const std::string source = AsFolder(options.arguments[0]);
    const std::string destination = AsFolder(options.arguments[1]);
    std::string reason;
    if (!PrepareDestination(source, destination, reason)) {
        return UsageError(reason);
    }
    session.prepare(source);
    PrintNotImported(leftOnCard(session.catalogue()), options.listSkipped);
    const UnreadFolders& unread = unreadFolders(session.catalogue());
    PrintUnreadFolders(unread);
    const CopyTally tally = session.copy(destination);
    if (tally.renamed > 0) {
        std::printf("%d copied under a new name: a different photo held the name\n", tally.renamed);
    }
    if (tally.stopped > 0) {
        std::printf("%d not copied: the copy was stopped\n", tally.stopped);
    }
    if (tally.companionsCopied + tally.companionsSkipped + tally.companionsFailed > 0) {
        std::printf("%d companion files copied, %d already there, %d failed\n",
                    tally.companionsCopied, tally.companionsSkipped, tally.companionsFailed);
    }
    PrintUnreadCount(unread);
    std::printf("%d copied, %d skipped, %d failed\n", tally.copied, tally.skipped, tally.failed);
    // The photos of a folder that could not be read are not copied: the card is not all in.
    return tally.allDone() && unread.empty() ? 0 : 1;
}
