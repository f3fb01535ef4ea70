#pragma once
// Checks that stop the program: each logs its message and raises FatalError(kFatalMemory, 0).
// A required allocation that returned nothing: logs "Memory not allocated!!!".
void RequireMemory(const void* block);
