// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>

// The window's pictures, drawn at run time so that no image files ship.
namespace quorvex::app {

QPixmap BannerPicture();   // 532 x 35, across the top of the main window
QPixmap PagePicture();     // 94 x 22, top left of the Balancer page
QPixmap SplashPicture();   // 380 x 250, the splash window
QPixmap HomeIcon();        // 16 x 16, beside the home page link
QPixmap MailIcon();        // 16 x 16, beside the support address
QImage AppIcon(int size);  // the program's icon, size x size

}  // namespace quorvex::app
