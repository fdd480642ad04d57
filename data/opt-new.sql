-- A new shop's register: receipts on the receipt printer at "lpt1:", 40-column layout,
-- journal on, no fiscal lines until the fiscal printer is set up.
INSERT INTO Options VALUES (
  '',          -- MjestoProdaje
  '1',         -- PrinterZaIzvjestaj
  '9',         -- VelFont
  'Courier New', -- Font
  'EUR',       -- Currency
  5,           -- PraznihLinijaPoslijeRacuna
  1,           -- StanjeKaseVidljivo
  1,           -- PrintKasir
  '1',         -- TipRacuna
  1,           -- Kasa
  '',          -- ServerName
  '1',         -- RekapPoreza
  '1',         -- PrinterZaRacun
  '1',         -- Emulacija
  1,           -- RezacPapira
  '1',         -- SkenerPrimarno
  1,           -- TrakaRacunaFileDA
  'fiscal.txt',-- FiskalniFile
  0,           -- FiskalniRacunDA
  'Thank you for your visit!', -- Footer
  0,           -- DisplejKupca
  0,           -- Kusur
  '1',         -- POSMonitor
  0,           -- Kupac
  1,           -- PonudiZakljucak
  '1',         -- ChangeUser
  1,           -- NoviRacunAutomatski
  0,           -- PrikaziOdmah
  'invoices.txt' -- TrakaRacunaFile
);
