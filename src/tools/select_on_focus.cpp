// Text fields that select their whole text when they receive the focus.
#include "tools/select_on_focus.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QTimer>

namespace tarvek {

namespace {

class FocusSelector : public QObject {
public:
  explicit FocusSelector(QLineEdit& field) : QObject(&field), m_field(field) {}

  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (watched == &m_field && event->type() == QEvent::FocusIn) {
      // After the click that gave the focus has placed the cursor.
      QLineEdit* field = &m_field;
      QTimer::singleShot(0, field, [field] { field->setSelection(0, int(field->text().size())); });
    }
    return false;
  }

private:
  QLineEdit& m_field;
};

} // namespace

void selectAllOnFocus(QLineEdit& field)
{
  field.installEventFilter(new FocusSelector(field));
}

} // namespace tarvek
