#pragma once

// A new 2D texture of rows of RGB (or RGBA) bytes, as the game draws texels: repeated past
// the edges and never blurred. Needs a context current; gives the texture's name.
unsigned UploadTexels(int width, int height, bool alpha, const void* texels);
