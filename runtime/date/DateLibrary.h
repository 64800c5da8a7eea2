#pragma once

namespace nevalon::date {

// Reads the process's time zone once; runs at start-up before any other date operation.
void InitDateLibrary();

// Ends the library at exit and drops a clock set for tests.
void EndDateLibrary();

} // namespace nevalon::date
