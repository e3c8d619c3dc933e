#pragma once

class Tmainform;

// Puts the chart screens of the master data behind their menu entries.
void registerChartScreens(Tmainform &main);
