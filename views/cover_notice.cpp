#include "views/cover_notice.h"

std::string coverSetText(const SetCoverOutcome& outcome) {
    switch (outcome.result) {
        case SetCoverOutcome::Result::NotWritable:
            return "Cover not set: the folder cannot be written to";
        case SetCoverOutcome::Result::NotAPicture:
            return "Cover not set: not a picture Coverhall can read";
        case SetCoverOutcome::Result::Set:
            break;
    }
    std::string notes;
    const auto note = [&](const std::string& text) {
        notes += notes.empty() ? " (" : "; ";
        notes += text;
    };
    if (outcome.imageNameUnusable) note("the Image Name cannot be written");
    for (const auto& [old, kept] : outcome.setAside) note("the old " + old + " kept as " + kept);
    if (!notes.empty()) notes += ")";
    return "Cover set: " + outcome.written + notes;
}
