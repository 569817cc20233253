#pragma once
// One running copy per session: the first copy creates a small named file
// mapping and keeps it open until it ends; a later start finds it existing.

enum class InstanceClaim { First, AlreadyRunning, Failed };

// Creates (or finds) the mapping "OrvaneTessaly". The first copy writes its
// guard text into it; the handle stays open for the life of the process.
InstanceClaim ClaimSingleInstance();
