// On Linux the path goes to QDesktopServices as a local file URL (in place
// of starting "explorer" with it); paths keep their slashes.
#include "desktop_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
std::unique_ptr<DesktopOpener> &installed()
{
    static std::unique_ptr<DesktopOpener> opener = std::make_unique<DesktopOpener>();
    return opener;
}
} // namespace

bool DesktopOpener::open(const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

DesktopOpener &DesktopOpener::current() { return *installed(); }

void DesktopOpener::install(std::unique_ptr<DesktopOpener> opener)
{
    installed() = opener ? std::move(opener) : std::make_unique<DesktopOpener>();
}
