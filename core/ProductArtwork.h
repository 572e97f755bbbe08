#pragma once
// The product artwork that the logon window and the about box show beside
// the program's name: a pale sky over rolling fields, with a schoolhouse on
// the horizon, drawn to any size with a thin frame.

#include <QPixmap>
#include <QSize>

QPixmap ProductArtwork(const QSize& size);
