*00000000nam a2200000 a 4500
*001LIBR1
*00520200101120000.0
*008850101s1985    sw a          000 1 swe  
*040  $aS$dS
*24510$aHäxor och troll.$cav Anna Ek
*5050 $aInnehåll /
*546  $aText på svenska
*655 7$aRomaner$2saogf
*830 0$aSerie ;$v3
*24710$aFörr.

^
*00000000nas a2200000 a 4500
*001LIBR2
*008990101c19859999sw mr p       0   d0swe c
*24500$aTidskriften

^
*00000000nam a2200000 a 4500
*001LIBR3
*008010101s2001    sw            000 0 swe  
*24500$aDel 2
*7720 $tHuvudverk$w(SE-LIBR)123
*77608$zISBN 91-0-012345-6

^
*00000000nam a2200000 a 4500
*001LIBR4
*500  $aIngen titel

^
*00000000naa a2200000 a 4500
*001LIBR5
*008200202s2020    sw            000 0 swe  
*24500$aOm troll
*7870 $iRecension av$tBoken

^
