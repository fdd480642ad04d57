-- The demo register prints on the system printer (a PDF file with ZORVEL_PRINTER_PDF) and writes
-- fiscal lines, so a trial run needs no receipt printer.
UPDATE Options SET PrinterZaRacun = '3', PrinterZaIzvjestaj = '3', FiskalniRacunDA = 1,
  MjestoProdaje = 'Demo shop, register 1';
