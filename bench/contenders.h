#pragma once
// What the benchmark times: the copy job itself and the plain ways of doing
// the same work. Each returns the seconds it took.
#include <string>

// The job, in-process with a real dialog: copies `source` into the folder
// DEZiradu under `target`, with the launcher beside it; writes its log into
// `logFolder`.
double TimeJob(const std::wstring& source, const std::wstring& target, const std::wstring& logFolder);
// FindFirstFileW + CreateDirectoryW + CopyFileW over the same folders and files.
double TimeBareLoop(const std::wstring& source, const std::wstring& target);
// Wine's (or Windows') xcopy /E /I /H /Y of the whole source.
double TimeXcopy(const std::wstring& source, const std::wstring& target);
// The listing alone, and a bare FindFirstFileExW walk collecting the same paths.
double TimeListing(const std::wstring& source);
double TimeBareWalk(const std::wstring& source);
// The job's last summary, to check that it succeeded.
std::wstring LastSummary();
