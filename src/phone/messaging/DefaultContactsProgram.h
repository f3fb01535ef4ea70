#pragma once
// Making this program the one the shell opens for contacts: value "1" of HKLM
// "Software\Microsoft\Shell\Rai\:MSCONTACTS" names the program, and "1temp" keeps the platform's
// own entry while this program has taken its place.

// Whether value "1" names "Brevane.exe" (in any case).
[[nodiscard]] bool IsDefaultContactsProgram();

// On: backs the current "1" up to "1temp" unless a backup exists already (so switching on twice
// keeps the platform's entry), then makes "1" the quoted program path. A backup that fails, or a
// program path that was never stored, leaves everything as it was (false).
// Off: writes the backup back to "1", then deletes "1temp". A backup naming this program is
// replaced by the platform's ":MSPOUTLOOK contacts"; without a text backup "1" gets that too while
// it names this program, so the platform's program always comes back.
// Both write "DefaultAssign" 1 once the shell's values are in place. A failed step leaves the
// values it did not reach unchanged.
[[nodiscard]] bool SetDefaultContactsProgram(bool on);
