// The reader of .xls workbooks for a program that links none of its own: the
// statement window's plugin starts it (see UseWorkbookReaderProgram), so that
// the window's program need not carry libfreexl.
#include <cstdio>

#include "spreadsheets.h"

int main(int argc, char *argv[])
{
    tallyfin::statement::ServeAsWorkbookReader(argc, argv);
    std::fputs("tallyfin-xls-reader reads a workbook for Tallyfin's statement check; it is not started by hand.\n",
               stderr);
    return 2;
}
