#pragma once
#include <QObject>
class TXTextControl : public QObject { Q_OBJECT };
