#pragma once
// Facts about the machine and the user the program runs for.
#include <QString>

// The machine's host name; empty when the system gives none.
QString ComputerName();
// The login name of the user the program runs as; empty when the system gives none.
QString UserName();
