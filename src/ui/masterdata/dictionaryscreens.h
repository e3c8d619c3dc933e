#pragma once

class Tmainform;

// Puts the dictionary screens of the master data behind their menu entries.
void registerDictionaryScreens(Tmainform &main);
