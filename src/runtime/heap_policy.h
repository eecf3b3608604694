// How the C library's heap keeps the memory it is given back.
#pragma once

namespace tarvek {

// Keeps freed heap memory in the process for reuse, up to a bound. Called
// first thing in main, before any other thread starts.
void keepFreedHeapMemory();

} // namespace tarvek
