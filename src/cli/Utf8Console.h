#pragma once

// The program's texts are bytes of the Windows code page; a terminal reads
// UTF-8. From this call on, everything written to stdout and stderr is
// converted on its way out (see WindowsTextToUtf8), so no command has to
// think of it. Files the commands write keep the code page.
void UseUtf8Console();
