// The beam and load groups of page 1: the beam's name, span and limits, and the uniform,
// point and part-span loads. Each owns its boxes and says when its values changed; the
// page reads the boxes by name.
#pragma once

#include "window/fieldgroup.h"

#include <array>

class Dialogs;
class QCheckBox;

// Name, span, lb, the deflection limits, the load term and the unit system.
class BeamGroup : public FieldGroup {
    Q_OBJECT
public:
    explicit BeamGroup(QWidget *parent);
    QCheckBox *term() const { return m_term; }
    QCheckBox *si() const { return m_si; }

Q_SIGNALS:
    void spanChanged();
    void conditionChanged();              // lb, the limits or the load term
    void unitSystemChanged(bool si);

private:
    QCheckBox *m_term = nullptr;
    QCheckBox *m_si = nullptr;
};

// "1） 等分布荷重": the uniform load, its calculator and the self-weight check box.
class UniformGroup : public FieldGroup {
    Q_OBJECT
public:
    UniformGroup(Dialogs &dialogs, QWidget *parent);
    QCheckBox *jijuucheck() const { return m_jijuucheck; }
    void reset();

Q_SIGNALS:
    void loadChanged();
    void conditionChanged(); // the self-weight check box

private:
    void uniformCalculator();

    Dialogs &m_dialogs;
    QCheckBox *m_jijuucheck = nullptr;
};

// "2) 集中荷重": the eight point loads.
class PointGroup : public FieldGroup {
    Q_OBJECT
public:
    explicit PointGroup(QWidget *parent);
    void reset();

Q_SIGNALS:
    void loadChanged();
};

// "3) 任意形分布荷重": the three part-span loads a..c.
class PartGroup : public FieldGroup {
    Q_OBJECT
public:
    explicit PartGroup(QWidget *parent);
    void reset();

Q_SIGNALS:
    void loadChanged();
};
