-- What every new shop starts with.
INSERT INTO Users (UserID, UserName, UserFullName, UserPosition, AccLevel, Password, Del)
  VALUES ('1', 'admin', 'Administrator', '', '3', 'admin', 1);

INSERT INTO Tax (TaxID, Name, Percent, Del) VALUES ('A', 'General rate', 17, 1);
INSERT INTO Tax (TaxID, Name, Percent, Del) VALUES ('B', 'Reduced rate', 10, 1);
INSERT INTO Tax (TaxID, Name, Percent, Del) VALUES ('C', 'Exempt', 0, 1);

INSERT INTO Unit (Abr, UnitName) VALUES ('pcs', 'pieces');
INSERT INTO Unit (Abr, UnitName) VALUES ('kg', 'kilogram');
INSERT INTO Unit (Abr, UnitName) VALUES ('l', 'litre');
INSERT INTO Unit (Abr, UnitName) VALUES ('m', 'metre');
INSERT INTO Unit (Abr, UnitName) VALUES ('pack', 'package');

INSERT INTO TabControl (TabControl, TabDescription) VALUES (1, 'Tab 1');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (2, 'Tab 2');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (3, 'Tab 3');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (4, 'Tab 4');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (5, 'Tab 5');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (6, 'Tab 6');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (7, 'Tab 7');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (8, 'Tab 8');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (9, 'Tab 9');
INSERT INTO TabControl (TabControl, TabDescription) VALUES (10, 'Tab 10');

-- No address or phone of its own: the shop fills them in under My Firm before its first sale.
INSERT INTO Company (Naziv, Adresa, JIB, Tel, Ziro)
  VALUES ('My Shop', '', '0000000000000', '', '');
