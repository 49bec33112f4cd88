// Where the settings file lives.
#pragma once

#include <QString>

// The settings path for this run: the environment variable BRENDAX_SETTINGS
// when it is set; else the program file's path with its extension replaced
// by ".set", when that file exists or its folder is writable; else
// "brendax.set" in the user's configuration folder (created when missing).
QString ResolveSettingsPath();

// The rule itself, with its inputs passed in.
QString SettingsPathFor(const QString& envValue, const QString& programFile, const QString& configFolder);
