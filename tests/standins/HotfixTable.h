#pragma once
// What the stand-in powershell prints for get-hotfix, shared with the tests that check what the
// query captured. The text is in code page 936, as PowerShell writes it on a Chinese Windows 10.
#include <string>

// Rows that the query tests rely on.
//   KB5001330   a seven-digit number whose six-digit prefix 500133 is not installed itself
//   KB4512578   installed (and on the protected list)
//   kb5009999   appears only in lower case
//   KB4600000   appears only inside the description text of another row
std::string HotfixTable();

// A longer table (more than two 4,095-byte reads) with a double-byte character starting at
// byte 4094 and at byte 8189, so that each straddles the boundary of a read.
std::string LongHotfixTable();

// A table of at least `size` bytes, for the benchmark.
std::string HotfixTableOfSize(std::size_t size);

// The text PowerShell prints on standard error when the cmdlet fails.
std::string HotfixError();
