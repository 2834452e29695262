/* An example skin for Quellist: a Qt style sheet. Copy it to x/o.cjs beside the
   program to use it; without that file the program keeps its plain white look. */
QPushButton {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f4f7fb, stop: 1 #d9e3f0);
    border: 1px solid #7d93b2;
    border-radius: 4px;
    padding: 2px 8px;
}
QPushButton:hover { border-color: #2f7fd8; }
QPushButton:pressed { background: #c6d5ea; }
QTreeView { border: 1px solid #7d93b2; }
QHeaderView::section { background: #e6edf6; border: 0; border-bottom: 1px solid #7d93b2; }
QProgressBar { border: 1px solid #7d93b2; border-radius: 4px; text-align: center; }
QProgressBar::chunk { background: #8db8ea; }
