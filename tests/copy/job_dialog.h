#pragma once
// A real main dialog with the five controls the copy job drives, set into the
// program-wide variables for the lifetime of the object. "beenden" and the
// close button only count their presses here.
#include <string>

namespace testing_support {

class JobDialog {
public:
    // hauptpfad/standardpfad without trailing backslash, as start-up leaves them.
    JobDialog(const std::wstring& hauptpfad, const std::wstring& standardpfad, const std::wstring& target,
              bool ownFolder = true);
    ~JobDialog();
    JobDialog(const JobDialog&) = delete;
    JobDialog& operator=(const JobDialog&) = delete;

    // What the progress field shows on screen (not what is pending).
    std::wstring shownProgress() const;
    // Handles whatever waits in the queue, as the event loop would.
    void pumpEvents() const;

    int quitPresses = 0;
    int closeRequests = 0;
};

}  // namespace testing_support
