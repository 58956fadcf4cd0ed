// The demo's two art files: tiles000.art with the wall, floor and sky
// pictures (tiles 0..127) and tiles001.art with the glass, the mirror and the
// sprite pictures (tiles 128..599). Every tile number up to 599 exists.
#pragma once

#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/ByteBuffer.h"

namespace VellTools {

ArtTile demoTile(int number);
Bytes demoArtFile(int fileNumber); // 0 or 1

// Pictures that are not plain surfaces (DemoPictures.cpp).
ArtTile skyTile(int number);
ArtTile glassPicture();
ArtTile mirrorPicture();
ArtTile spriteTile(int number);

} // namespace VellTools
