# Every file the package installs under /usr, sorted: a missing one breaks the desktop, a stray one
# would ship unnoticed. Needs APP_ID.
set(installed_files
    usr/bin/brevorn
    usr/share/applications/${APP_ID}.desktop
    usr/share/doc/brevorn/changelog.gz
    usr/share/doc/brevorn/copyright
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    usr/share/man/man1/brevorn.1.gz
    usr/share/metainfo/${APP_ID}.metainfo.xml)
foreach(size IN ITEMS 16 32 48 64 128 256)
    list(APPEND installed_files usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
list(SORT installed_files)
