// The start-up banner of a run.
#pragma once

// Prints the banner framed in '*' and centred with dashes; every line is width + 2 characters.
void printHeader(int width);
