#pragma once

#include <QString>

// The Czech wording of why a file operation failed, for a system error code (errno): a short
// clause such as "soubor nebo složka neexistuje", meant to follow the name of the file in a
// message. It is the one table of such wordings: the table engine, the sounds and every other
// layer word a system error through it, so one cause always reads the same. Codes without a
// wording of their own give "systémová chyba č. <code>". The system's own (English) texts are
// never shown to the user.
QString fileErrorText(int errorCode);
