// The reference for the start-up figures: a bare Qt program with a four-menu bar and an
// 890 x 495 painted area that reports its first paint and quits.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include "first_paint.h"

namespace {

class Area : public QWidget {
  public:
    Area() { setFixedSize(890, 495); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(180, 201, 208));
        p.drawText(20, 30, "Zahlgarten");
        zg::bench::reportFirstPaint();
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"&Spiel", "&Brett", "&Optionen", "&Hilfe"})
        window.menuBar()->addMenu(title)->addAction("Eintrag");
    window.setCentralWidget(new Area);
    window.show();
    return app.exec();
}
