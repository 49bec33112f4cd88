// Where the settings file lives.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The settings path for this run: the environment variable BRENDAX_SETTINGS
// when it is set; else the program file's path with its extension replaced
// by ".set", when that file exists (a portable installation) or when the
// program's folder is writable and does not lie under a system prefix; else
// "brendax.set" in the user's configuration folder (created when missing).
QString ResolveSettingsPath();

// The folders an installed program lives under: /usr, /usr/local and /opt;
// on Windows the program-files folders.
QStringList SystemPrefixes();

// The rule itself, with its inputs passed in.
QString SettingsPathFor(const QString& envValue, const QString& programFile, const QString& configFolder,
                        const QStringList& systemPrefixes = SystemPrefixes());

// A file name's bytes as the system hands them (an environment variable, an
// argument) to a QString and back, without loss. Well-formed UTF-8 reads as
// QFile::decodeName reads it; each byte of an ill-formed sequence (a name
// written in another encoding, "caf\xE9.set") is kept as the lone code unit
// U+DC00 + byte, which EncodeFileName turns back into that byte. On Windows,
// where names are UTF-16, both are QFile::decodeName/encodeName.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);
