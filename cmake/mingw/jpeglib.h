// Seen only by the framework's graphics module in the Windows build, in front of libjpeg's own
// header. The framework includes libjpeg inside a namespace of its own and then takes `boolean`
// from it; on Windows libjpeg leaves that type to <rpcndr.h> (already read through <windows.h>),
// so it lands in the global namespace instead. Declaring it here, where the framework includes
// this header, puts it in that namespace with libjpeg's own definition for Windows.
#pragma once
typedef unsigned char boolean;
#include_next <jpeglib.h>
