/* A shared library named libmediainfo.so.0 that has none of MediaInfo's functions. */
int velmoraNoMediaInfo = 0;
