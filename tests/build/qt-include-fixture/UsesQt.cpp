// A core file that may not be: the include check must refuse it.
#include <QString>
