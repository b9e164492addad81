// Stands in for an SDL2 library that lacks every function the program needs.
int oxbyte_no_sdl2_here;
