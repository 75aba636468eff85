// The entry of Veltrax_Diffr.exe, the Windows GUI program. It keeps no command line.
#include "shell/desktop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  return veltrax::desktop_main(instance, show);
}
