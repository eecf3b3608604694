#include "shell/form1.h"

namespace tarvek {

Form1::Form1()
{
  setWindowTitle(QStringLiteral("tarvek"));
  resize(848, 637);
}

} // namespace tarvek
