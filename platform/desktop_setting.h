#pragma once
#include <QString>

// A setting of the running desktop, written with the desktop's own
// command-line tool and read back by a second run of it. The tools exit 0
// also when nothing was stored (gsettings with its in-memory backend keeps
// the value only until it exits), so only a value that reads back as
// written counts as applied; a value that did not stick is logged once.
namespace DesktopSetting {

enum class Desktop { Gnome, Kde, Other };
// From XDG_CURRENT_DESKTOP, a colon-separated list such as "ubuntu:GNOME".
Desktop running();

// gsettings set <schema> <key> <value>, then gsettings get.
bool writeGsetting(const QString &schema, const QString &key, const QString &value);
// kwriteconfig6 (or 5) --file <file> --group <group> --key <key>, then kreadconfig.
bool writeKdeConfig(const QString &file, const QString &group, const QString &key, const QString &value);
// Tells running KDE programs that the mouse settings in kdeglobals changed.
void announceKdeMouseChange();

} // namespace DesktopSetting
