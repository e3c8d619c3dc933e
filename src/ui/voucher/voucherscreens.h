#pragma once

class Tmainform;

// Puts the voucher screens behind their menu entries.
void registerVoucherScreens(Tmainform &main);
